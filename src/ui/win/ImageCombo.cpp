#include "ui/win/ImageCombo.h"

#include <windows.h>

#include <commctrl.h>

#include "ui/win/Dpi.h"
#include "ui/win/Form.h"
#include "ui/win/ImageList.h"

namespace vt::win {
namespace {
// Room for the dropped list below the edit part: the window of a drop-down list combo is that tall.
constexpr int kDropDownHeight = 200;
}  // namespace

// Made with the dropped list's room at once: every resize moves the list's own window too.
RECT ImageCombo::CreationBounds() const noexcept {
    return DroppedBounds();
}

void ImageCombo::CreateIn(HWND parentWindow) {
    HWND combo = CreateNative(WC_COMBOBOXEXW, CBS_DROPDOWNLIST | WS_VSCROLL, 0, parentWindow);
    if (combo == nullptr) {
        return;
    }
    AttachImages();
    int index = 0;
    for (const ComboItem& item : Row().items) {
        COMBOBOXEXITEMW entry{};
        entry.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE;
        entry.iItem = index++;
        entry.pszText = const_cast<wchar_t*>(item.caption);
        entry.iImage = item.image;
        entry.iSelectedImage = item.image;
        ::SendMessageW(combo, CBEM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&entry));
    }
}

void ImageCombo::ApplyDpi() {
    RefreshFont();
    SetBounds(DroppedBounds());
    AttachImages();
}

RECT ImageCombo::DroppedBounds() const noexcept {
    RECT box = LaidOutBounds();
    box.bottom += Scale(kDropDownHeight, Dpi());
    return box;
}

void ImageCombo::AttachImages() noexcept {
    if (Handle() == nullptr || Row().imageList == nullptr) {
        return;
    }
    if (auto* images = OwnerForm().Find<ImageList>(Row().imageList)) {
        ::SendMessageW(Handle(), CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images->Handle()));
    }
}

int ImageCombo::ItemIndex() const noexcept {
    return Handle() != nullptr ? static_cast<int>(::SendMessageW(Handle(), CB_GETCURSEL, 0, 0))
                               : -1;
}

void ImageCombo::SetItemIndex(int index) noexcept {
    if (Handle() != nullptr) {
        ::SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
}

int ImageCombo::ItemCount() const noexcept {
    return Handle() != nullptr ? static_cast<int>(::SendMessageW(Handle(), CB_GETCOUNT, 0, 0)) : 0;
}

std::wstring ImageCombo::ItemText(int index) const {
    wchar_t buffer[260] = {};
    COMBOBOXEXITEMW entry{};
    entry.mask = CBEIF_TEXT;
    entry.iItem = index;
    entry.pszText = buffer;
    entry.cchTextMax = static_cast<int>(std::size(buffer));
    if (Handle() == nullptr ||
        !::SendMessageW(Handle(), CBEM_GETITEMW, 0, reinterpret_cast<LPARAM>(&entry))) {
        return {};
    }
    return buffer;
}

}  // namespace vt::win
