#include "ui/win/ControlFactory.h"

#include "ui/win/Bevel.h"
#include "ui/win/ImageCombo.h"
#include "ui/win/ImageList.h"
#include "ui/win/Label.h"
#include "ui/win/Memo.h"
#include "ui/win/Panel.h"
#include "ui/win/Picture.h"
#include "ui/win/PopupMenu.h"
#include "ui/win/ProgressBar.h"
#include "ui/win/PushButton.h"
#include "ui/win/TrackBar.h"

namespace vt::win {

std::unique_ptr<Control> MakeControl(Form& form, const LayoutRow& row, Container* parent) {
    switch (row.kind) {
        case Kind::Panel:
            return std::make_unique<Panel>(form, row, parent);
        case Kind::Label:
            return std::make_unique<Label>(form, row, parent);
        case Kind::Picture:
            return std::make_unique<Picture>(form, row, parent);
        case Kind::PushButton:
            return std::make_unique<PushButton>(form, row, parent);
        case Kind::ImageCombo:
            return std::make_unique<ImageCombo>(form, row, parent);
        case Kind::TrackBar:
            return std::make_unique<TrackBar>(form, row, parent);
        case Kind::ProgressBar:
            return std::make_unique<ProgressBar>(form, row, parent);
        case Kind::Bevel:
            return std::make_unique<Bevel>(form, row, parent);
        case Kind::Memo:
            return std::make_unique<Memo>(form, row, parent);
        case Kind::ImageList:
            return std::make_unique<ImageList>(form, row, parent);
        case Kind::PopupMenu:
            return std::make_unique<PopupMenu>(form, row, parent);
        case Kind::MenuItem:
            return std::make_unique<MenuItem>(form, row, parent);
    }
    return std::make_unique<Label>(form, row, parent);
}

void AttachToOwner(Control& owner, Control& item) {
    auto* menu = dynamic_cast<PopupMenu*>(&owner);
    auto* menuItem = dynamic_cast<MenuItem*>(&item);
    if (menu != nullptr && menuItem != nullptr) {
        menu->AddItem(*menuItem);
    }
}

}  // namespace vt::win
