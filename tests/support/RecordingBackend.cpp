#include "support/RecordingBackend.h"

namespace vt::test {

std::vector<RecordingBackend::Call> RecordingBackend::Mutations() const {
    std::vector<Call> out;
    for (const Call& call : calls) {
        if (call.kind == Kind::Set || call.kind == Kind::Delete) {
            out.push_back(call);
        }
    }
    return out;
}

RecordingBackend::Call RecordingBackend::For(Kind kind, KeyHandle key,
                                             const std::wstring& name) const {
    auto it = open_.find(key);
    Call call{kind, RegRoot::CurrentUser, L"?", name};
    if (it != open_.end()) {
        call.root = it->second.root;
        call.path = it->second.path;
    }
    return call;
}

bool RecordingBackend::OpenKey(RegRoot root, const std::wstring& path, std::uint32_t access,
                               KeyHandle& key) {
    calls.push_back({Kind::Open, root, path, L"", access});
    if (!inner_.OpenKey(root, path, access, key)) {
        return false;
    }
    open_[key] = {root, path};
    return true;
}

bool RecordingBackend::CreateKey(RegRoot root, const std::wstring& path, std::uint32_t access,
                                 KeyHandle& key) {
    calls.push_back({Kind::Create, root, path, L"", access});
    if (!inner_.CreateKey(root, path, access, key)) {
        return false;
    }
    open_[key] = {root, path};
    return true;
}

bool RecordingBackend::QueryValue(KeyHandle key, const std::wstring& name, std::uint32_t& type,
                                  std::uint8_t* data, std::uint32_t& size) {
    calls.push_back(For(Kind::Query, key, name));
    return inner_.QueryValue(key, name, type, data, size);
}

bool RecordingBackend::SetValue(KeyHandle key, const std::wstring& name, std::uint32_t type,
                                const std::uint8_t* data, std::uint32_t size) {
    Call call = For(Kind::Set, key, name);
    call.value = {type, Bytes(data, data + size)};
    calls.push_back(call);
    return inner_.SetValue(key, name, type, data, size);
}

bool RecordingBackend::DeleteValue(KeyHandle key, const std::wstring& name) {
    calls.push_back(For(Kind::Delete, key, name));
    return inner_.DeleteValue(key, name);
}

void RecordingBackend::CloseKey(KeyHandle key) noexcept {
    try {
        calls.push_back(For(Kind::Close, key, L""));
    } catch (...) {
        // The close itself still happens; only its record is lost.
    }
    open_.erase(key);
    inner_.CloseKey(key);
}

}  // namespace vt::test
