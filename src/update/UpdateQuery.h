#pragma once

namespace vt {

// Asks the maker's web server whether a newer version exists: 1 an update is available, 0 or 2
// none, -1 no usable answer. Never throws.
class UpdateQuery {
public:
    virtual ~UpdateQuery() = default;
    virtual int QueryUpdate() noexcept = 0;
};

}  // namespace vt
