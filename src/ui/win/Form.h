#pragma once

// A top-level window made from a FormDef (see Layout.h for declaring one).
//
//     Form window(kMyWindow);
//     window.OnCreate = [](Form& f) { ... };   // once, after the controls exist, still hidden
//     window.OnShow = [](Form& f) { ... };     // every showing, before the window appears
//     window.OnCloseQuery = [](Form&) { return true; };  // false refuses a close request
//     window.Create(ownerWindowOrNull);        // the main form is created without owner
//     Application::Instance().SetMainForm(main);  // closing it ends Run()
//     window.Show();  or  window.ShowModal();  // modal: own loop, the owner disabled
//     window.Close();  // main form: destroys and ends the loop; any other form: hides
//
// Controls are found by name: `window.Find<Label>(L"CurrentSettingsLabel")`. The form implements
// the language layer's Form interface, so ApplyCaptions and AdaptFonts work on it unchanged.
// Client size, positions, fonts and pictures follow the density of the form's monitor and are
// laid out again on WM_DPICHANGED.

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "i18n/FormModel.h"
#include "ui/win/Container.h"
#include "ui/win/Control.h"
#include "ui/win/Handles.h"
#include "ui/win/Layout.h"

namespace vt::win {

class Form : public vt::Form, public Container {
public:
    explicit Form(const FormDef& def);
    ~Form() override;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // vt::Form
    std::wstring Name() const override { return def_.name; }
    void SetTitle(const std::wstring& title) override;
    FontSpec Font() const override { return font_; }
    void SetFont(const FontSpec& font) override;
    std::size_t ComponentCount() const override { return controls_.size(); }
    FormComponent* Component(std::size_t index) override;

    // Container
    HWND ContainerWindow() const noexcept override { return window_.get(); }
    FontSpec ContainerFont() const override { return font_; }
    Colour ContainerColour() const noexcept override { return def_.colour; }
    int ContainerCursor() const noexcept override { return def_.cursor; }
    Control* AsControl() noexcept override { return nullptr; }

    // Creates the window and its controls, hidden, then runs OnCreate. Safe to call again.
    void Create(HWND owner = nullptr);
    HWND Handle() const noexcept { return window_.get(); }
    const FormDef& Definition() const noexcept { return def_; }
    UINT Dpi() const noexcept { return dpi_; }
    std::wstring Title() const;

    Control* FindControl(std::wstring_view name) const noexcept;
    template <typename T>
    T* Find(std::wstring_view name) const noexcept {
        return dynamic_cast<T*>(FindControl(name));
    }
    const std::vector<std::unique_ptr<Control>>& Controls() const noexcept { return controls_; }
    Control* ControlById(int id) const noexcept;

    void SetPosition(Position position) noexcept { position_ = position; }
    // Positions the window by its rule, runs OnShow and shows it; creates it first if needed.
    void Show();
    void Hide();
    bool Visible() const noexcept;
    // Shows the window with its owner disabled and returns when it is closed or hidden.
    void ShowModal();
    bool Modal() const noexcept { return modal_; }
    // Asks OnCloseQuery; then the main form is destroyed (ending the message loop) and any
    // other form hidden.
    void Close();
    bool Enabled() const noexcept;
    void SetEnabled(bool enabled) noexcept;
    // The control that has or last had the keyboard focus inside this form.
    void FocusControl(Control* control) noexcept;

    std::function<void(Form&)> OnCreate;
    std::function<void(Form&)> OnShow;
    std::function<bool(Form&)> OnCloseQuery;

    // The control under the pointer; raises leave on the old one, then enter on the new one.
    void HoverTo(Control* control) noexcept;
    // The pointer has left this control's window: forgets it if it is still the hovered one.
    void DropHovered(Control* leaving) noexcept;
    Control* Hovered() const noexcept { return hovered_; }
    int NextControlId() noexcept { return nextId_++; }
    // Lays every control out again at the form's density (fonts, boxes, pictures).
    void Relayout();
    void RefreshFonts();

    // While held, the controls note font and text changes and measure themselves once when the
    // last hold ends: a window being prepared sets fonts and texts several times over.
    class LayoutHold {
    public:
        explicit LayoutHold(Form& form) noexcept : form_(form) { ++form_.layoutHolds_; }
        ~LayoutHold() { form_.EndLayoutHold(); }
        LayoutHold(const LayoutHold&) = delete;
        LayoutHold& operator=(const LayoutHold&) = delete;

    private:
        Form& form_;
    };
    bool LayoutHeld() const noexcept { return layoutHolds_ > 0; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void RegisterClass() const;
    void CreateControls();
    static void PutInZOrder(HWND parent, const std::vector<Control*>& order);
    void EndLayoutHold() noexcept;
    DWORD Style() const noexcept;
    DWORD ExStyle() const noexcept;
    void SizeClientExactly();
    void PlaceByRule();
    Control* DefaultButton() const noexcept;
    Control* FirstFocus() const noexcept;

    const FormDef& def_;
    UniqueHwnd window_;
    HWND owner_ = nullptr;
    UINT dpi_ = 96;
    FontSpec font_;
    Position position_;
    std::vector<std::unique_ptr<Control>> controls_;
    Control* hovered_ = nullptr;
    Control* focused_ = nullptr;
    int nextId_ = 100;
    int layoutHolds_ = 0;
    bool created_ = false;
    bool modal_ = false;
    bool destroying_ = false;
    friend class Container;
};

}  // namespace vt::win
