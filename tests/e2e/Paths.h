#pragma once

#include <string>

namespace vt::e2e {

// The programs the suite runs lie beside it.
std::wstring SuiteFolder();
inline std::wstring FixtureExe() {
    return SuiteFolder() + L"vt_e2e_fixture.exe";
}
inline std::wstring ProgramExe() {
    return SuiteFolder() + L"Velotune.exe";
}

}  // namespace vt::e2e
