#include <gtest/gtest.h>

#include "registry/win/WinRegistryBackend.h"
#include "updater/win/WinUpdaterPlatform.h"

namespace vt {
namespace {

constexpr const wchar_t* kTestMutex = L"Local\\QENTRA.Velotune.Updater.Tests";

TEST(WinUpdaterPlatform, OneUpdaterAtATime) {
    WinRegistryBackend registry;
    auto first = std::make_unique<WinUpdaterPlatform>(registry, L"Update", kTestMutex);
    WinUpdaterPlatform second(registry, L"Update", kTestMutex);
    EXPECT_TRUE(first->ClaimSingleInstance());
    EXPECT_FALSE(second.ClaimSingleInstance());
    first.reset();  // the first updater ends
    WinUpdaterPlatform third(registry, L"Update", kTestMutex);
    EXPECT_TRUE(third.ClaimSingleInstance());
}

}  // namespace
}  // namespace vt
