#include "ui/win/WinPacing.h"

#include <windows.h>

#include "ui/win/Application.h"

namespace vt::win {

void WinPacing::Reseed() {
    LARGE_INTEGER counter{};
    ::QueryPerformanceCounter(&counter);
    generator_.seed(static_cast<std::minstd_rand::result_type>(counter.QuadPart));
}

int WinPacing::RandomRange(int from, int to) {
    if (to <= from) {
        return from;
    }
    return std::uniform_int_distribution<int>(from, to - 1)(generator_);
}

void WinPacing::ProcessMessages() {
    Application::Instance().ProcessMessages();
}

void WinPacing::Sleep(int milliseconds) {
    ::Sleep(static_cast<DWORD>(milliseconds));
}

}  // namespace vt::win
