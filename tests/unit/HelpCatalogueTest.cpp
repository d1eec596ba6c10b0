#include <gtest/gtest.h>

#include <cstdio>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "engine/TweakCatalogue.h"
#include "engine/WindowsVersion.h"
#include "support/SourceFiles.h"

namespace vt {
namespace {

// The help's catalogue table, one vector of cell texts per row, tags stripped.
std::vector<std::vector<std::string>> HelpCatalogueRows() {
    const std::optional<Bytes> bytes = test::ReadSourceFile("help/html/optimize.htm");
    if (!bytes) {
        return {};
    }
    const std::string page(bytes->begin(), bytes->end());
    const std::size_t start = page.find("<table id=\"catalogue\">");
    const std::size_t end = page.find("</table>", start);
    if (start == std::string::npos || end == std::string::npos) {
        return {};
    }
    const std::string table = page.substr(start, end - start);
    const std::regex rowPattern("<tr>(.*?)</tr>");
    const std::regex cellPattern("<td[^>]*>(.*?)</td>");
    const std::regex tagPattern("<[^>]*>");
    std::vector<std::vector<std::string>> rows;
    for (auto row = std::sregex_iterator(table.begin(), table.end(), rowPattern);
         row != std::sregex_iterator(); ++row) {
        const std::string cellsText = (*row)[1];
        std::vector<std::string> cells;
        for (auto cell = std::sregex_iterator(cellsText.begin(), cellsText.end(), cellPattern);
             cell != std::sregex_iterator(); ++cell) {
            cells.push_back(std::regex_replace((*cell)[1].str(), tagPattern, ""));
        }
        if (!cells.empty()) {  // the heading row has <th> cells only
            rows.push_back(cells);
        }
    }
    return rows;
}

std::string Narrow(const wchar_t* text) {
    std::string out;
    for (const wchar_t* c = text; *c; ++c) {
        out.push_back(static_cast<char>(*c));  // the catalogue's names are ASCII
    }
    return out;
}

std::string KeyText(const Tweak& tweak) {
    std::string key = Narrow(tweak.key);
    key = key.substr(1, key.size() - 2);  // no leading or trailing backslash
    return (tweak.root == RegRoot::LocalMachine ? "HKEY_LOCAL_MACHINE\\" : "HKEY_CURRENT_USER\\") +
           key;
}

std::string TypeText(std::uint32_t type) {
    switch (type) {
        case RegType::Sz:
            return "REG_SZ";
        case RegType::Binary:
            return "REG_BINARY";
        default:
            return "REG_DWORD";
    }
}

// How the help writes the data: texts in quotes, numbers in decimal with the hexadecimal form
// after larger ones, bytes in hexadecimal pairs.
std::string DataText(const Tweak& tweak) {
    switch (tweak.type) {
        case RegType::Sz:
            return "\"" + Narrow(tweak.text) + "\"";
        case RegType::Binary: {
            std::string bytes;
            for (std::uint8_t byte : tweak.binary) {
                char pair[4];
                std::snprintf(pair, sizeof pair, "%02X", byte);
                bytes += (bytes.empty() ? "" : " ") + std::string(pair);
            }
            return bytes;
        }
        default: {
            std::string text = std::to_string(tweak.number);
            if (tweak.number > 9) {
                char hex[16];
                std::snprintf(hex, sizeof hex, " (0x%X)", static_cast<unsigned>(tweak.number));
                text += hex;
            }
            return text;
        }
    }
}

struct Edition {
    int code;
    const char* name;
};
constexpr Edition kEditions[] = {
    {winver::k2000, "Windows Server 2000"},
    {winver::kXp, "Windows XP"},
    {winver::kServer2003, "Windows Server 2003"},
    {winver::kVista, "Windows Vista"},
    {winver::kServer2008, "Windows Server 2008"},
    {winver::k7, "Windows 7"},
    {winver::k8, "Windows 8"},
    {winver::kServer2012, "Windows Server 2012"},
    {winver::k10, "Windows 10"},
};

// The codes an "Editions" cell names: "Every edition", "Every edition except A, B" or "A, B".
std::set<int> EditionCodes(const std::string& cell) {
    std::set<int> codes;
    std::string list = cell;
    bool except = false;
    if (cell.rfind("Every edition", 0) == 0) {
        for (const Edition& edition : kEditions) {
            codes.insert(edition.code);
        }
        const std::string prefix = "Every edition except ";
        if (cell.rfind(prefix, 0) != 0) {
            return cell == "Every edition" ? codes : std::set<int>{-99};
        }
        list = cell.substr(prefix.size());
        except = true;
    }
    std::size_t begin = 0;
    while (begin <= list.size()) {
        std::size_t comma = list.find(", ", begin);
        const std::string name =
            list.substr(begin, comma == std::string::npos ? std::string::npos : comma - begin);
        bool known = false;
        for (const Edition& edition : kEditions) {
            if (name == edition.name) {
                known = true;
                except ? (void)codes.erase(edition.code) : (void)codes.insert(edition.code);
            }
        }
        if (!known) {
            codes.insert(-99);  // an unknown name never matches
        }
        if (comma == std::string::npos) {
            break;
        }
        begin = comma + 2;
    }
    return codes;
}

// The help promises the user a table of exactly what is written: it must not drift from the code.
TEST(HelpCatalogue, TableMatchesTheCatalogueRowForRow) {
    const std::vector<std::vector<std::string>> rows = HelpCatalogueRows();
    const auto catalogue = TweakCatalogue();
    ASSERT_EQ(rows.size(), catalogue.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const Tweak& tweak = catalogue[i];
        const std::vector<std::string>& cells = rows[i];
        SCOPED_TRACE("row " + std::to_string(tweak.row));
        ASSERT_EQ(cells.size(), 6u);
        EXPECT_EQ(cells[0], std::to_string(tweak.row));
        EXPECT_EQ(cells[1], KeyText(tweak));
        EXPECT_EQ(cells[2], Narrow(tweak.value));
        EXPECT_EQ(cells[3], TypeText(tweak.type));
        EXPECT_EQ(cells[4], DataText(tweak));
        std::set<int> selected;
        for (const Edition& edition : kEditions) {
            if (TweakSelected(tweak, edition.code)) {
                selected.insert(edition.code);
            }
        }
        EXPECT_EQ(EditionCodes(cells[5]), selected) << cells[5];
    }
}

}  // namespace
}  // namespace vt
