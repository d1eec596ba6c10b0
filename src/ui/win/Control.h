#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "i18n/FormModel.h"
#include "ui/win/Handles.h"
#include "ui/win/Layout.h"

namespace vt::win {

class Form;
class Container;

// A component of a form made from one layout row. Windowed kinds are thin wrappers over their
// native window; pictures and bevels are painted by their container. Every event handler runs
// inside a guard: nothing thrown by a handler leaves the window procedure.
class Control : public FormComponent {
public:
    Control(Form& form, const LayoutRow& row, Container* parent);
    ~Control() override;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    // FormComponent
    std::wstring Name() const override { return row_.name; }
    ComponentKind Kind() const override;
    void SetText(const std::wstring& text) override;
    std::optional<bool> ParentFont() const override;
    std::optional<FontSpec> Font() const override;
    void SetFont(const FontSpec& font) override;

    const LayoutRow& Row() const noexcept { return row_; }
    win::Kind LayoutKind() const noexcept { return row_.kind; }
    Form& OwnerForm() const noexcept { return form_; }
    Container* Parent() const noexcept { return parent_; }
    // The native window; nullptr for the kinds their container paints, and before creation.
    HWND Handle() const noexcept { return window_; }
    const std::wstring& Text() const noexcept { return text_; }
    // The box in the parent's client coordinates at the form's density.
    RECT Bounds() const noexcept { return bounds_; }

    bool Enabled() const noexcept { return enabled_; }
    void SetEnabled(bool enabled);
    bool Visible() const noexcept { return visible_; }
    void SetVisible(bool visible);
    int Cursor() const noexcept { return cursor_; }
    void SetCursor(int cursor) noexcept { cursor_ = cursor; }
    const std::wstring& Hint() const noexcept { return hint_; }
    void SetHint(std::wstring hint) { hint_ = std::move(hint); }
    void SetFocus() const noexcept;

    // The font the control draws with at the form's density, and its colour.
    HFONT FontHandle() const noexcept;
    FontSpec EffectiveFont() const;

    std::function<void(Control&)> OnClick;
    std::function<void(Control&)> OnMouseEnter;
    std::function<void(Control&)> OnMouseLeave;

    // Raises the events; used by the containers and by tests that drive a form.
    void Click() noexcept;
    void MouseEnter() noexcept;
    void MouseLeave() noexcept;

    // The form's side: creation, placement at a density, painting and notifications.
    virtual void CreateIn(HWND parentWindow);
    virtual void ApplyDpi();
    virtual void RefreshFont();
    // Carries out the font and text changes noted while the form's layout was held.
    virtual void CatchUpLayout();
    virtual bool IsWindowless() const noexcept { return false; }
    virtual void Paint(HDC) {}
    virtual void Command(WORD /*code*/) {}
    virtual LRESULT Notify(const NMHDR&) { return 0; }
    // The cursor over this control, its container's when it has none of its own (labels
    // and painted kinds only, as windowed controls show their class cursor).
    int EffectiveCursor() const noexcept;
    // The id of the window, unique within the form.
    int Id() const noexcept { return id_; }

    static Control* FromHandle(HWND window) noexcept;

protected:
    // Creates the native window of this control and attaches it; nullptr on failure.
    // Containers route their own mouse messages and are not subclassed (`subclass` false).
    HWND CreateNative(const wchar_t* className, DWORD style, DWORD exStyle, HWND parentWindow,
                      bool subclass = true);
    // The box at the form's density before a kind adjusts it.
    RECT LaidOutBounds() const noexcept;
    void SetBounds(const RECT& bounds);
    virtual void TextChanged() {}
    // TextChanged now, or once the form's layout hold ends.
    void TextChangedOrNoted();
    // The box the native window is created with.
    virtual RECT CreationBounds() const noexcept { return LaidOutBounds(); }
    UINT Dpi() const noexcept;
    // Children (and theirs) that take this container's font follow it.
    void RefreshChildFonts();
    // Redraws what the container paints under and around this control.
    void InvalidateInParent() const noexcept;

private:
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR data);
    LRESULT HandleSubclassed(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    Form& form_;
    const LayoutRow& row_;
    Container* parent_;
    int id_;
    HWND window_ = nullptr;
    RECT bounds_{};
    std::wstring text_;
    std::wstring hint_;
    FontSpec font_;
    bool parentFont_;
    UniqueFont fontHandle_;
    bool enabled_;
    bool visible_;
    int cursor_;
    bool fontNoted_ = false;
    bool textNoted_ = false;
    bool pressed_ = false;
    bool tracking_ = false;
};

}  // namespace vt::win
