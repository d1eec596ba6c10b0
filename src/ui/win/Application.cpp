#include "ui/win/Application.h"

#include <algorithm>

#include "ui/win/Control.h"
#include "ui/win/Form.h"
#include "ui/win/Guard.h"

namespace vt::win {

Application& Application::Instance() {
    static Application application;
    return application;
}

void Application::AddForm(Form& form) {
    forms_.push_back(&form);
}

void Application::RemoveForm(Form& form) noexcept {
    forms_.erase(std::remove(forms_.begin(), forms_.end(), &form), forms_.end());
    if (mainForm_ == &form) {
        mainForm_ = nullptr;
    }
    if (hintControl_ != nullptr && &hintControl_->OwnerForm() == &form) {
        hintControl_ = nullptr;
    }
}

void Application::Dispatch(MSG& message) {
    switch (message.message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN: {
            CancelHint();
            bool handled = false;
            GuardHandler([&] {
                if (OnShortCut) {
                    OnShortCut(message, handled);
                }
            });
            if (handled) {
                return;
            }
            break;
        }
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_NCLBUTTONDOWN:
            CancelHint();
            break;
        default:
            break;
    }
    HWND root = message.hwnd != nullptr ? ::GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (root != nullptr) {
        for (Form* form : forms_) {
            if (form->Handle() == root) {
                if (::IsDialogMessageW(root, &message)) {
                    return;
                }
                break;
            }
        }
    }
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
}

void Application::Run() {
    MSG message{};
    while (!terminated_ && ::GetMessageW(&message, nullptr, 0, 0) > 0) {
        Dispatch(message);
    }
    terminated_ = true;
    HideHint();
}

bool Application::HandleMessage() {
    MSG message{};
    const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {
        terminated_ = true;
        ::PostQuitMessage(static_cast<int>(message.wParam));
        return false;
    }
    Dispatch(message);
    return true;
}

void Application::ProcessMessages() {
    MSG message{};
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            terminated_ = true;
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        Dispatch(message);
    }
}

void Application::SetHintWindowClass(HintWindowFactory factory) {
    hintFactory_ = std::move(factory);
    hintWindowStale_ = true;
}

void Application::SetShowHint(bool show) {
    showHint_ = show;
    if (!show) {
        CancelHint();
        hintWindow_.reset();
    }
}

void Application::HideHint() {
    StopTimer(hideTimer_);
    hintActive_ = false;
    GuardHandler([&] {
        if (hideHintHook_) {
            hideHintHook_();
        } else if (hintWindow_) {
            hintWindow_->ReleaseHandle();
        }
    });
}

void Application::CancelHint() {
    StopTimer(showTimer_);
    if (hintActive_) {
        HideHint();
    }
}

void Application::HintControlChanged(Control* control) {
    hintControl_ = control;
    const std::wstring text = control != nullptr ? control->Hint() : std::wstring();
    const bool wasActive = hintActive_;
    StopTimer(showTimer_);
    if (wasActive) {
        HideHint();
    }
    if (text != hint_) {
        hint_ = text;
        GuardHandler([&] {
            if (OnHint) {
                OnHint();
            }
        });
    }
    if (showHint_ && !text.empty()) {
        StartTimer(showTimer_, wasActive ? HintShortPause : HintPause);
    }
}

void Application::ActivateCurrentHint() {
    StopTimer(showTimer_);
    if (!showHint_ || hintControl_ == nullptr || hintControl_->Hint().empty()) {
        return;
    }
    GuardHandler([&] {
        if (!hintWindow_ || hintWindowStale_) {
            hintWindow_.reset();
            hintWindow_ = hintFactory_ ? hintFactory_() : std::make_unique<HintWindow>();
            hintWindowStale_ = false;
        }
        if (!hintWindow_) {
            return;
        }
        // The short hint: the part before "|".
        const std::wstring& full = hintControl_->Hint();
        const std::wstring text = full.substr(0, full.find(L'|'));
        POINT cursor{};
        ::GetCursorPos(&cursor);
        RECT rect = hintWindow_->CalcHintRect(::GetSystemMetrics(SM_CXSCREEN), text, nullptr);
        // Below the pointer, as tooltips open.
        ::OffsetRect(&rect, cursor.x, cursor.y + ::GetSystemMetrics(SM_CYCURSOR) * 3 / 4);
        hintWindow_->ActivateHint(rect, text);
        hintActive_ = true;
        StartTimer(hideTimer_, HintHidePause);
    });
}

void Application::StartTimer(UINT_PTR& timer, int milliseconds) {
    StopTimer(timer);
    timer = ::SetTimer(nullptr, 0, static_cast<UINT>(std::max(milliseconds, 1)), TimerProc);
}

void Application::StopTimer(UINT_PTR& timer) noexcept {
    if (timer != 0) {
        ::KillTimer(nullptr, timer);
        timer = 0;
    }
}

void CALLBACK Application::TimerProc(HWND, UINT, UINT_PTR id, DWORD) {
    Application& app = Instance();
    if (id == app.showTimer_) {
        app.ActivateCurrentHint();
    } else if (id == app.hideTimer_) {
        app.HideHint();
    } else {
        ::KillTimer(nullptr, id);
    }
}

}  // namespace vt::win
