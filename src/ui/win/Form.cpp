#include "ui/win/Form.h"

#include <algorithm>

#include "ui/win/Application.h"
#include "ui/win/ControlFactory.h"
#include "ui/win/Dpi.h"
#include "ui/win/Fonts.h"
#include "ui/win/Guard.h"

namespace vt::win {
namespace {

HMONITOR PrimaryMonitor() noexcept {
    return ::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
}

// Tab order first (ascending), then the controls without one in layout order.
bool TabsBefore(const Control* a, const Control* b) noexcept {
    const int ta = a->Row().tabOrder;
    const int tb = b->Row().tabOrder;
    if ((ta >= 0) != (tb >= 0)) {
        return ta >= 0;
    }
    return ta >= 0 && ta < tb;
}

Control* FirstTabStop(const Container& container) {
    std::vector<Control*> order;
    for (Control* child : container.Children()) {
        if (child->Row().tabOrder >= 0 && child->Visible() && child->Enabled()) {
            order.push_back(child);
        }
    }
    std::stable_sort(order.begin(), order.end(), TabsBefore);
    for (Control* child : order) {
        if (auto* inner = dynamic_cast<Container*>(child)) {
            if (Control* found = FirstTabStop(*inner)) {
                return found;
            }
        } else if (child->Handle() != nullptr) {
            return child;
        }
    }
    return nullptr;
}

}  // namespace

Form::Form(const FormDef& def) : def_(def), font_(IconTitleFont()), position_(def.position) {
    Application::Instance().AddForm(*this);
}

Form::~Form() {
    destroying_ = true;
    Application::Instance().RemoveForm(*this);
    hovered_ = nullptr;
    window_.reset();
}

void Form::SetTitle(const std::wstring& title) {
    if (window_) {
        ::SetWindowTextW(window_.get(), title.c_str());
    }
}

std::wstring Form::Title() const {
    if (!window_) {
        return {};
    }
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window_.get())) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        ::GetWindowTextW(window_.get(), text.data(), static_cast<int>(text.size()))));
    return text;
}

void Form::SetFont(const FontSpec& font) {
    font_ = font;
    RefreshFonts();
}

void Form::RefreshFonts() {
    for (auto& control : controls_) {
        if (control->ParentFont().value_or(false)) {
            control->RefreshFont();
        }
    }
}

FormComponent* Form::Component(std::size_t index) {
    return index < controls_.size() ? controls_[index].get() : nullptr;
}

Control* Form::FindControl(std::wstring_view name) const noexcept {
    for (const auto& control : controls_) {
        if (name == control->Row().name) {
            return control.get();
        }
    }
    return nullptr;
}

Control* Form::ControlById(int id) const noexcept {
    for (const auto& control : controls_) {
        if (control->Id() == id) {
            return control.get();
        }
    }
    return nullptr;
}

DWORD Form::Style() const noexcept {
    DWORD style = WS_CLIPCHILDREN;
    if (def_.border == BorderStyle::Single) {
        style |= WS_CAPTION;
        if ((def_.titleButtons & kSystemMenu) != 0) {
            style |= WS_SYSMENU;
        }
        if ((def_.titleButtons & kMinimizeButton) != 0) {
            style |= WS_MINIMIZEBOX;
        }
        if ((def_.titleButtons & kMaximizeButton) != 0) {
            style |= WS_MAXIMIZEBOX;
        }
    } else {
        style |= WS_POPUP;
    }
    return style;
}

DWORD Form::ExStyle() const noexcept {
    DWORD exStyle = WS_EX_CONTROLPARENT;
    if (owner_ == nullptr) {
        exStyle |= WS_EX_APPWINDOW;
    }
    if (def_.border == BorderStyle::Single && (def_.titleButtons & kSystemMenu) == 0) {
        exStyle |= WS_EX_DLGMODALFRAME;
    }
    return exStyle;
}

void Form::RegisterClass() const {
    WNDCLASSEXW wc{};
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    if (::GetClassInfoExW(instance, def_.className, &wc)) {
        return;
    }
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = def_.className;
    if (def_.icon != nullptr) {
        wc.hIcon = ::LoadIconW(instance, def_.icon);
        wc.hIconSm = static_cast<HICON>(::LoadImageW(instance, def_.icon, IMAGE_ICON,
                                                     ::GetSystemMetrics(SM_CXSMICON),
                                                     ::GetSystemMetrics(SM_CYSMICON), 0));
    }
    ::RegisterClassExW(&wc);
}

void Form::Create(HWND owner) {
    if (created_) {
        return;
    }
    owner_ = owner;
    RegisterClass();
    dpi_ = DpiForMonitor(owner != nullptr ? ::MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST)
                                          : PrimaryMonitor());
    const RECT outer = WindowRectForClient(
        RECT{0, 0, Scale(def_.clientWidth, dpi_), Scale(def_.clientHeight, dpi_)}, Style(),
        ExStyle(), dpi_);
    HWND window = ::CreateWindowExW(ExStyle(), def_.className, L"", Style(), 0, 0,
                                    outer.right - outer.left, outer.bottom - outer.top, owner,
                                    nullptr, ::GetModuleHandleW(nullptr), this);
    if (window == nullptr) {
        return;
    }
    created_ = true;
    dpi_ = DpiForWindow(window);
    if ((def_.titleButtons & kSystemMenu) == 0) {
        // No icon on a frame without a system menu.
        ::SendMessageW(window, WM_SETICON, ICON_SMALL, 0);
        ::SendMessageW(window, WM_SETICON, ICON_BIG, 0);
    }
    SizeClientExactly();
    LayoutHold hold(*this);
    CreateControls();
    GuardHandler([&] {
        if (OnCreate) {
            OnCreate(*this);
        }
    });
}

void Form::EndLayoutHold() noexcept {
    if (--layoutHolds_ > 0) {
        return;
    }
    for (auto& control : controls_) {
        GuardHandler([&] { control->CatchUpLayout(); });
    }
}

void Form::CreateControls() {
    for (const LayoutRow& row : def_.rows) {
        Container* parent = this;
        Control* parentControl = row.parent != nullptr ? FindControl(row.parent) : nullptr;
        if (auto* container = dynamic_cast<Container*>(parentControl)) {
            parent = container;
        }
        auto control = MakeControl(*this, row, parent);
        if (parentControl != nullptr && dynamic_cast<Container*>(parentControl) == nullptr) {
            AttachToOwner(*parentControl, *control);
        } else {
            parent->AddChild(*control);
        }
        controls_.push_back(std::move(control));
    }
    for (auto& control : controls_) {
        Container* parent = control->Parent();
        control->CreateIn(parent != nullptr ? parent->ContainerWindow() : window_.get());
    }
    // The dialog manager walks tab stops in z-order: bring each container's windows into
    // tab order, the first at the top.
    std::vector<Container*> containers{this};
    for (auto& control : controls_) {
        if (auto* container = dynamic_cast<Container*>(control.get())) {
            containers.push_back(container);
        }
    }
    for (Container* container : containers) {
        std::vector<Control*> order;
        for (Control* child : container->Children()) {
            if (child->Handle() != nullptr) {
                order.push_back(child);
            }
        }
        std::stable_sort(order.begin(), order.end(), TabsBefore);
        PutInZOrder(container->ContainerWindow(), order);
    }
}

// Moves only the windows that are out of place: every move costs a round of window updates.
void Form::PutInZOrder(HWND parent, const std::vector<Control*>& order) {
    std::vector<HWND> current;
    for (HWND child = ::GetWindow(parent, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        const Control* control = Control::FromHandle(child);
        if (control != nullptr && std::find(order.begin(), order.end(), control) != order.end()) {
            current.push_back(child);
        }
    }
    for (std::size_t i = 0; i < order.size(); ++i) {
        HWND wanted = order[i]->Handle();
        if (i < current.size() && current[i] == wanted) {
            continue;
        }
        ::SetWindowPos(wanted, i == 0 ? HWND_TOP : order[i - 1]->Handle(), 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        current.erase(std::remove(current.begin(), current.end(), wanted), current.end());
        current.insert(current.begin() + static_cast<std::ptrdiff_t>(std::min(i, current.size())),
                       wanted);
    }
}

void Form::SizeClientExactly() {
    if (!window_) {
        return;
    }
    const int width = Scale(def_.clientWidth, dpi_);
    const int height = Scale(def_.clientHeight, dpi_);
    const RECT outer = WindowRectForClient(RECT{0, 0, width, height}, Style(), ExStyle(), dpi_);
    int outerWidth = outer.right - outer.left;
    int outerHeight = outer.bottom - outer.top;
    for (int attempt = 0; attempt < 2; ++attempt) {
        ::SetWindowPos(window_.get(), nullptr, 0, 0, outerWidth, outerHeight,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        RECT client{};
        ::GetClientRect(window_.get(), &client);
        const int dw = width - (client.right - client.left);
        const int dh = height - (client.bottom - client.top);
        if (dw == 0 && dh == 0) {
            break;
        }
        outerWidth += dw;
        outerHeight += dh;
    }
}

void Form::PlaceByRule() {
    RECT rect{};
    ::GetWindowRect(window_.get(), &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    HWND owner = owner_ != nullptr ? owner_ : ::GetWindow(window_.get(), GW_OWNER);
    int left = 0;
    int top = 0;
    if (position_ == Position::OwnerCentre && owner != nullptr) {
        RECT ownerRect{};
        ::GetWindowRect(owner, &ownerRect);
        left = ownerRect.left + ((ownerRect.right - ownerRect.left) - width) / 2;
        top = ownerRect.top + ((ownerRect.bottom - ownerRect.top) - height) / 2;
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        if (::GetMonitorInfoW(::MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor)) {
            left = std::max<int>(left, monitor.rcWork.left);
            top = std::max<int>(top, monitor.rcWork.top);
        }
    } else {
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        ::GetMonitorInfoW(PrimaryMonitor(), &monitor);
        const RECT& screen = monitor.rcMonitor;
        left = screen.left + ((screen.right - screen.left) - width) / 2;
        top = screen.top + ((screen.bottom - screen.top) - height) / 2;
    }
    ::SetWindowPos(window_.get(), nullptr, left, top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::Show() {
    Create(owner_);
    if (!window_) {
        return;
    }
    PlaceByRule();
    {
        LayoutHold hold(*this);
        GuardHandler([&] {
            if (OnShow) {
                OnShow(*this);
            }
        });
    }
    ::ShowWindow(window_.get(), SW_SHOW);
    ::SetForegroundWindow(window_.get());
    Control* focus = def_.activeControl != nullptr ? FindControl(def_.activeControl) : nullptr;
    if (focus == nullptr || focus->Handle() == nullptr) {
        focus = focused_ != nullptr ? focused_ : FirstTabStop(*this);
    }
    if (focus != nullptr && ::IsWindowEnabled(window_.get())) {
        focus->SetFocus();
    }
}

void Form::Hide() {
    if (window_) {
        ::ShowWindow(window_.get(), SW_HIDE);
    }
}

bool Form::Visible() const noexcept {
    return window_ && ::IsWindowVisible(window_.get());
}

void Form::ShowModal() {
    Create(owner_);
    if (!window_ || modal_) {
        return;
    }
    HWND owner = ::GetWindow(window_.get(), GW_OWNER);
    const bool ownerWasEnabled = owner != nullptr && ::IsWindowEnabled(owner);
    if (ownerWasEnabled) {
        ::EnableWindow(owner, FALSE);
    }
    modal_ = true;
    Show();
    Application& app = Application::Instance();
    while (modal_ && Visible()) {
        if (!app.HandleMessage()) {
            break;
        }
    }
    modal_ = false;
    // The owner is enabled before this window goes, so that Windows activates the owner.
    if (ownerWasEnabled) {
        ::EnableWindow(owner, TRUE);
    }
    Hide();
    if (owner != nullptr) {
        ::SetActiveWindow(owner);
    }
}

void Form::Close() {
    bool allowed = true;
    GuardHandler([&] {
        if (OnCloseQuery) {
            allowed = OnCloseQuery(*this);
        }
    });
    if (!allowed) {
        return;
    }
    if (modal_) {
        modal_ = false;
        return;
    }
    if (Application::Instance().MainForm() == this) {
        window_.reset();
    } else {
        Hide();
    }
}

bool Form::Enabled() const noexcept {
    return window_ && ::IsWindowEnabled(window_.get());
}

void Form::SetEnabled(bool enabled) noexcept {
    if (window_) {
        ::EnableWindow(window_.get(), enabled ? TRUE : FALSE);
    }
}

void Form::FocusControl(Control* control) noexcept {
    focused_ = control;
}

Control* Form::DefaultButton() const noexcept {
    for (const auto& control : controls_) {
        if ((control->Row().flags & kDefaultButton) != 0 && control->Enabled()) {
            return control.get();
        }
    }
    return nullptr;
}

void Form::HoverTo(Control* control) noexcept {
    if (control == hovered_ || destroying_) {
        return;
    }
    Control* old = hovered_;
    hovered_ = control;
    if (old != nullptr) {
        old->MouseLeave();
    }
    if (control != nullptr) {
        control->MouseEnter();
    }
    Application::Instance().HintControlChanged(control);
}

void Form::DropHovered(Control* leaving) noexcept {
    if (hovered_ == leaving) {
        HoverTo(nullptr);
    }
}

void Form::Relayout() {
    {
        LayoutHold hold(*this);
        for (auto& control : controls_) {
            control->ApplyDpi();
        }
    }
    if (window_) {
        ::InvalidateRect(window_.get(), nullptr, TRUE);
    }
}

LRESULT CALLBACK Form::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Form* self = nullptr;
    if (message == WM_NCCREATE) {
        self = static_cast<Form*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->window_.reset(window);
    } else {
        self = reinterpret_cast<Form*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    }
    if (self == nullptr) {
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->window_.release();
        self->created_ = false;
        self->controls_.clear();
        if (!self->destroying_ && Application::Instance().MainForm() == self) {
            ::PostQuitMessage(0);
        }
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    try {
        return self->HandleMessage(message, wParam, lParam);
    } catch (...) {
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
}

LRESULT Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND window = window_.get();
    LRESULT result = 0;
    if (HandleContainerMessage(*this, window, message, wParam, lParam, result)) {
        return result;
    }
    switch (message) {
        case WM_CLOSE:
            Close();
            return 0;
        case DM_GETDEFID:
            if (Control* button = DefaultButton()) {
                return MAKELRESULT(button->Id(), DC_HASDEFID);
            }
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE && focused_ != nullptr &&
                focused_->Handle() != nullptr && !HIWORD(wParam)) {
                focused_->SetFocus();
                return 0;
            }
            break;
        case 0x02E0: {  // WM_DPICHANGED
            dpi_ = HIWORD(wParam);
            const auto* suggested = reinterpret_cast<const RECT*>(lParam);
            ::SetWindowPos(window, nullptr, suggested->left, suggested->top,
                           suggested->right - suggested->left, suggested->bottom - suggested->top,
                           SWP_NOZORDER | SWP_NOACTIVATE);
            SizeClientExactly();
            Relayout();
            return 0;
        }
        case WM_SETTINGCHANGE:
        case WM_SYSCOLORCHANGE:
            ::InvalidateRect(window, nullptr, TRUE);
            break;
        default:
            break;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace vt::win
