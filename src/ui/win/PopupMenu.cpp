#include "ui/win/PopupMenu.h"

#include "ui/win/Form.h"

namespace vt::win {

void MenuItem::TextChanged() {
    if (menu_ != nullptr) {
        menu_->UpdateItemText(*this);
    }
}

void PopupMenu::AddItem(MenuItem& item) {
    items_.push_back(&item);
    item.Attach(*this);
}

void PopupMenu::CreateIn(HWND) {
    menu_.reset(::CreatePopupMenu());
    if (!menu_) {
        return;
    }
    for (MenuItem* item : items_) {
        if ((item->Row().flags & kSeparator) != 0) {
            ::AppendMenuW(menu_.get(), MF_SEPARATOR, static_cast<UINT_PTR>(item->Id()), nullptr);
        } else {
            ::AppendMenuW(menu_.get(), MF_STRING, static_cast<UINT_PTR>(item->Id()),
                          item->Text().c_str());
        }
    }
}

void PopupMenu::UpdateItemText(const MenuItem& item) noexcept {
    if (!menu_ || (item.Row().flags & kSeparator) != 0) {
        return;
    }
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = const_cast<wchar_t*>(item.Text().c_str());
    ::SetMenuItemInfoW(menu_.get(), static_cast<UINT>(item.Id()), FALSE, &info);
}

void PopupMenu::Popup(int x, int y) {
    HWND owner = OwnerForm().Handle();
    if (!menu_ || owner == nullptr) {
        return;
    }
    // A menu of a window that is not in front would not close when the user clicks elsewhere.
    ::SetForegroundWindow(owner);
    const UINT chosen = static_cast<UINT>(::TrackPopupMenuEx(
        menu_.get(),
        TPM_RIGHTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON | TPM_VERPOSANIMATION | TPM_RETURNCMD, x, y,
        owner, nullptr));
    ::PostMessageW(owner, WM_NULL, 0, 0);
    for (MenuItem* item : items_) {
        if (chosen != 0 && static_cast<UINT>(item->Id()) == chosen) {
            item->Click();
            break;
        }
    }
}

}  // namespace vt::win
