#include "ui/win/Memo.h"

namespace vt::win {

void Memo::CreateIn(HWND parentWindow) {
    CreateNative(L"EDIT", ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL,
                 (Row().flags & kBorder) != 0 ? WS_EX_CLIENTEDGE : 0, parentWindow);
}

}  // namespace vt::win
