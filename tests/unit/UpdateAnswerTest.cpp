#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "update/UpdateAnswer.h"

namespace vt {
namespace {

TEST(UpdateAnswer, FirstTokenInOrderDecidesAndLetterCaseCounts) {
    struct Case {
        std::string body;
        int expected;
    };
    const Case cases[] = {
        {"QENTRA|1", 1},
        {"<html>\r\n  <p>latest:\tQENTRA|1 </p>\n</html>", 1},
        {"QENTRA|0", 0},
        {"QENTRA|2", 2},
        {"QENTRA|2 then QENTRA|0", 0},  // |0 is looked for first
        {"QENTRA|1 QENTRA|0", 0},
        {"QENTRA|2 QENTRA|1", 1},
        {"qentra|1", -1},
        {"Qentra|1", -1},
        {"QENTRA|3", -1},
        {"QENTRA 1", -1},
        {"QENTRA|", -1},
        {"", -1},
        {std::string("\0QENTRA|1", 9), 1},  // bytes, not a C string
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.body);
        EXPECT_EQ(ParseUpdateAnswer(c.body), c.expected);
    }
}

TEST(UpdateAnswer, OnlyA2xxStatusCounts) {
    for (const unsigned status : {200u, 203u, 299u}) {
        EXPECT_EQ(JudgeUpdateAnswer(status, "QENTRA|1"), 1) << status;
    }
    for (const unsigned status : {0u, 100u, 199u, 300u, 302u, 304u, 404u, 500u, 503u}) {
        EXPECT_EQ(JudgeUpdateAnswer(status, "QENTRA|1"), -1) << status;
    }
}

TEST(UpdateAnswer, RequestAndLimits) {
    EXPECT_EQ(UpdateRequestTarget(), L"/downloads/update/?product=velotune&version=4.3.29.2021");
    EXPECT_EQ(std::wstring(kUpdateUserAgent), L"Mozilla/4.0 (compatible; QENTRA)");
    const UpdateQueryLimits limits;
    EXPECT_EQ(limits.resolveMs, 10000u);
    EXPECT_EQ(limits.connectMs, 10000u);
    EXPECT_EQ(limits.sendMs, 20000u);
    EXPECT_EQ(limits.receiveMs, 20000u);
    EXPECT_EQ(limits.wholeMs, 30000u);
    EXPECT_EQ(limits.maxBodyBytes, 65536u);
}

TEST(UpdateAnswer, WebHostIsAHostWithAnOptionalPort) {
    struct Case {
        std::wstring text;
        std::optional<std::wstring> host;
        std::uint16_t port;
    };
    const Case cases[] = {
        {L"velotune.example", L"velotune.example", 80},
        {L"127.0.0.1:8080", L"127.0.0.1", 8080},
        {L"a-b.example:65535", L"a-b.example", 65535},
        {L"host:1", L"host", 1},
        {L"", std::nullopt, 0},
        {L":80", std::nullopt, 0},
        {L"host:", std::nullopt, 0},
        {L"host:0", std::nullopt, 0},
        {L"host:65536", std::nullopt, 0},
        {L"host:123456", std::nullopt, 0},
        {L"host:8o", std::nullopt, 0},
        {L"host:80:81", std::nullopt, 0},
        {L"http://host", std::nullopt, 0},
        {L"host/path", std::nullopt, 0},
        {L"bad host", std::nullopt, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.text));
        const auto address = SplitWebHost(c.text);
        ASSERT_EQ(address.has_value(), c.host.has_value());
        if (address) {
            EXPECT_EQ(address->host, *c.host);
            EXPECT_EQ(address->port, c.port);
        }
    }
}

}  // namespace
}  // namespace vt
