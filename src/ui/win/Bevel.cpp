#include "ui/win/Bevel.h"

namespace vt::win {

void Bevel::Paint(HDC dc) {
    RECT box = Bounds();
    ::DrawEdge(dc, &box, EDGE_ETCHED, (Row().flags & kEdgeTop) != 0 ? BF_TOP : BF_RIGHT);
}

}  // namespace vt::win
