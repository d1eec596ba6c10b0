#pragma once

#include <string>

#include "i18n/FormModel.h"

namespace vt {

// What the About window's logic needs of the window itself.
class AboutFormView {
public:
    virtual ~AboutFormView() = default;

    // The window as the language table and the font adaptation see it (section "VTAboutForm").
    virtual Form& Model() = 0;
    // The platform's icon-title font, or the system font when the platform reports none.
    virtual FontSpec IconTitleFont() const = 0;
    virtual std::wstring VersionText() const = 0;
    virtual void SetVersionText(const std::wstring& text) = 0;
    virtual void FocusCloseButton() = 0;
};

}  // namespace vt
