#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "update/win/WinHttpUpdateQuery.h"
#include "win/LocalHttpServer.h"

// The update query against a local HTTP server (tests/win/http_test_server.py) that the test
// starts on 127.0.0.1 at a free port, run with the host's Python: Wine starts Unix programs too.

namespace vt {
namespace {

class UpdateServer : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server.Start(VT_PYTHON3, VT_HTTP_TEST_SERVER)) << "not running under Wine?";
        host = server.Host();
        closedHost = server.ClosedHost();
        fullHost = server.FullHost();
    }

    void Answer(const std::string& scenarioJson) { server.Answer(scenarioJson); }
    std::vector<std::string> Requests() const { return server.Requests(); }
    // Runs the query and returns its result and how long it took, in seconds.
    int Query(const std::wstring& target, double& seconds, UpdateQueryLimits limits = {}) {
        WinHttpUpdateQuery query(target, limits);
        LARGE_INTEGER frequency, begin, end;
        QueryPerformanceFrequency(&frequency);
        QueryPerformanceCounter(&begin);
        const int result = query.QueryUpdate();
        QueryPerformanceCounter(&end);
        seconds = static_cast<double>(end.QuadPart - begin.QuadPart) /
                  static_cast<double>(frequency.QuadPart);
        return result;
    }

    test::LocalHttpServer server;
    std::wstring host;
    std::wstring closedHost;
    std::wstring fullHost;  // never accepts a connection
};

const std::string kExpectedRequest =
    R"j({"line": "GET /downloads/update/?product=velotune&version=4.3.29.2021 HTTP/1.1", )j"
    R"j("agent": "Mozilla/4.0 (compatible; QENTRA)"})j";

TEST_F(UpdateServer, AnswersStatusesAndRedirects) {
    struct Case {
        const char* scenario;
        int expected;
    };
    const Case cases[] = {
        {R"({"body": "<html>\r\n <p>Version: QENTRA|1 </p>\n</html>"})", 1},
        {R"({"body": "qentra|1"})", -1},
        {R"({"body": "QENTRA|2 QENTRA|0"})", 0},
        {R"({"body": "QENTRA|0"})", 0},
        {R"({"body": "QENTRA|2"})", 2},
        {R"({"body": ""})", -1},
        {R"({"status": 404, "body": "QENTRA|1"})", -1},
        {R"({"status": 500, "body": "QENTRA|1"})", -1},
        {R"({"status": 302, "location": "/landing", "body": "QENTRA|1"})", -1},
        {R"({"status": 301, "location": "/landing", "body": ""})", -1},
    };
    std::size_t expectedRequests = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.scenario);
        Answer(c.scenario);
        double seconds = 0;
        EXPECT_EQ(Query(host, seconds), c.expected);
        // Exactly one request each time: redirects are never followed.
        const std::vector<std::string> requests = Requests();
        ASSERT_EQ(requests.size(), ++expectedRequests);
        EXPECT_EQ(requests.back(), kExpectedRequest);
    }
}

TEST_F(UpdateServer, ReadsAtMost64KiB) {
    struct Case {
        const char* what;
        int pad;
        int expected;
    };
    const Case cases[] = {
        {"token ends at 64 KiB", 65536 - 8, 1},
        {"token ends one byte past", 65536 - 7, -1},
        {"1 MiB body, token at the end", 1024 * 1024 - 8, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Answer(R"({"pad": )" + std::to_string(c.pad) + R"(, "body": "QENTRA|1"})");
        double seconds = 0;
        EXPECT_EQ(Query(host, seconds), c.expected);
        EXPECT_LT(seconds, 5.0);
    }
}

TEST_F(UpdateServer, NothingListeningFailsAtOnce) {
    double seconds = 0;
    EXPECT_EQ(Query(closedHost, seconds), -1);
    EXPECT_LT(seconds, 1.0);
    std::printf("nothing listening: -1 after %.3f s\n", seconds);
}

TEST_F(UpdateServer, AServerThatNeverAnswersGivesUpAtTheLimits) {
    Answer(R"({"hang": true})");
    struct Case {
        const char* what;
        UpdateQueryLimits limits;
        double expectedSeconds;
    };
    UpdateQueryLimits responseLimit;
    responseLimit.receiveMs = 2000;
    UpdateQueryLimits wholeLimit;
    wholeLimit.wholeMs = 2000;
    const Case cases[] = {
        {"response limit 2 s", responseLimit, 2.0},
        {"whole query limit 2 s", wholeLimit, 2.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        double seconds = 0;
        EXPECT_EQ(Query(host, seconds, c.limits), -1);
        EXPECT_GE(seconds, c.expectedSeconds - 0.1);
        EXPECT_LT(seconds, c.expectedSeconds + 1.5);
        std::printf("never answering, %s: -1 after %.3f s\n", c.what, seconds);
    }
}

TEST_F(UpdateServer, AConnectionNeverAcceptedGivesUpAtTheConnectLimit) {
    UpdateQueryLimits limits;
    limits.connectMs = 2000;
    double seconds = 0;
    EXPECT_EQ(Query(fullHost, seconds, limits), -1);
    EXPECT_GE(seconds, 1.9);
    EXPECT_LT(seconds, 3.5);
    std::printf("never accepted, connect limit 2 s: -1 after %.3f s\n", seconds);
}

TEST_F(UpdateServer, ATricklingBodyGivesUpAtTheWholeLimit) {
    // One byte every 0.1 s: each read succeeds, so only the whole limit ends it.
    Answer(R"({"pad": 200, "body": "QENTRA|1", "trickle_ms": 100})");
    UpdateQueryLimits limits;
    limits.wholeMs = 3000;
    double seconds = 0;
    EXPECT_EQ(Query(host, seconds, limits), -1);
    EXPECT_GE(seconds, 2.9);
    EXPECT_LT(seconds, 4.5);
    std::printf("trickling body, whole limit 3 s: -1 after %.3f s\n", seconds);
}

}  // namespace
}  // namespace vt
