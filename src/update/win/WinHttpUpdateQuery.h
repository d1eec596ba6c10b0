#pragma once

#include <string>

#include "update/UpdateAnswer.h"
#include "update/UpdateQuery.h"

namespace vt {

// The update query over WinHTTP, a system library: one GET of the update endpoint on the given
// host ("host" or "host:port"; the program passes kWebHost), with the system's proxy settings and
// without following redirects. Gives -1 on any failure, on a status outside 2xx, and when the
// limits run out.
//
//     WinHttpUpdateQuery query(kWebHost);
//     const int result = query.QueryUpdate();
class WinHttpUpdateQuery final : public UpdateQuery {
public:
    explicit WinHttpUpdateQuery(std::wstring hostAndPort, UpdateQueryLimits limits = {});

    // Blocks for at most limits.wholeMs. A request still running then is left to end on a
    // thread of its own (closing WinHTTP handles does not stop a blocked request everywhere); its
    // result is dropped.
    int QueryUpdate() noexcept override;

private:
    std::wstring hostAndPort_;
    UpdateQueryLimits limits_;
};

}  // namespace vt
