#include "registry/MemoryRegistry.h"

#include <cstring>
#include <cwctype>
#include <vector>

namespace vt {
namespace {

// Windows compares registry names by their upper-case forms.
std::wstring Fold(const std::wstring& name) {
    std::wstring folded(name);
    for (auto& ch : folded) {
        ch = static_cast<wchar_t>(std::towupper(static_cast<std::wint_t>(ch)));
    }
    return folded;
}

constexpr std::uint32_t kModifyingRights = RegAccess::SetValue | RegAccess::CreateSubKey |
                                           0x0020 /* KEY_CREATE_LINK */ | 0x10000 /* DELETE */ |
                                           0x40000 /* WRITE_DAC */ | 0x80000 /* WRITE_OWNER */;

// Key names of a path; a trailing backslash adds no level, an empty inner name is invalid.
bool SplitPath(const std::wstring& path, std::vector<std::wstring>& names) {
    std::size_t start = 0;
    while (start < path.size()) {
        std::size_t end = path.find(L'\\', start);
        if (end == std::wstring::npos) {
            end = path.size();
        }
        if (end == start || end - start > 255) {
            return false;
        }
        names.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return true;
}

}  // namespace

struct MemoryRegistry::Node {
    std::map<std::wstring, std::unique_ptr<Node>> children;  // by folded name
    std::map<std::wstring, RegValue> values;                 // by folded name
};

MemoryRegistry::MemoryRegistry() {
    roots_[RegRoot::CurrentUser] = std::make_unique<Node>();
    roots_[RegRoot::LocalMachine] = std::make_unique<Node>();
}

MemoryRegistry::~MemoryRegistry() = default;

void MemoryRegistry::SetReadOnly(RegRoot root, bool readOnly) {
    if (readOnly) {
        readOnly_.insert(root);
    } else {
        readOnly_.erase(root);
    }
}

bool MemoryRegistry::Refused(RegRoot root, std::uint32_t access) const {
    return readOnly_.count(root) != 0 && (access & kModifyingRights) != 0;
}

MemoryRegistry::Node* MemoryRegistry::Lookup(RegRoot root, const std::wstring& path) const {
    const auto rootIt = roots_.find(root);
    std::vector<std::wstring> names;
    if (rootIt == roots_.end() || !SplitPath(path, names)) {
        return nullptr;
    }
    Node* node = rootIt->second.get();
    for (const auto& name : names) {
        const auto child = node->children.find(Fold(name));
        if (child == node->children.end()) {
            return nullptr;
        }
        node = child->second.get();
    }
    return node;
}

MemoryRegistry::Node* MemoryRegistry::LookupOrCreate(RegRoot root, const std::wstring& path) {
    const auto rootIt = roots_.find(root);
    std::vector<std::wstring> names;
    if (rootIt == roots_.end() || !SplitPath(path, names)) {
        return nullptr;
    }
    Node* node = rootIt->second.get();
    for (const auto& name : names) {
        auto& child = node->children[Fold(name)];
        if (!child) {
            child = std::make_unique<Node>();
        }
        node = child.get();
    }
    return node;
}

bool MemoryRegistry::KeyExists(RegRoot root, const std::wstring& path) const {
    return Lookup(root, path) != nullptr;
}

std::map<std::wstring, RegValue> MemoryRegistry::Values() const {
    std::map<std::wstring, RegValue> all;
    struct Walker {
        std::map<std::wstring, RegValue>& out;
        void Walk(const Node& node, const std::wstring& prefix) {
            for (const auto& [name, value] : node.values) {
                out[prefix + name] = value;
            }
            for (const auto& [name, child] : node.children) {
                Walk(*child, prefix + name + L"\\");
            }
        }
    } walker{all};
    for (const auto& [root, node] : roots_) {
        walker.Walk(*node, root == RegRoot::LocalMachine ? L"HKLM\\" : L"HKCU\\");
    }
    return all;
}

KeyHandle MemoryRegistry::Register(Node* node, std::uint32_t access) {
    const KeyHandle key = nextHandle_++;
    handles_[key] = OpenKeyState{node, access};
    return key;
}

const MemoryRegistry::OpenKeyState* MemoryRegistry::State(KeyHandle key) const {
    auto it = handles_.find(key);
    return it == handles_.end() ? nullptr : &it->second;
}

bool MemoryRegistry::OpenKey(RegRoot root, const std::wstring& path, std::uint32_t access,
                             KeyHandle& key) {
    if (Refused(root, access)) {
        return false;
    }
    Node* node = Lookup(root, path);
    if (node == nullptr) {
        return false;
    }
    key = Register(node, access);
    return true;
}

bool MemoryRegistry::CreateKey(RegRoot root, const std::wstring& path, std::uint32_t access,
                               KeyHandle& key) {
    // Creating under a read-only root is refused even where the key exists, as on Windows.
    if (Refused(root, access | RegAccess::CreateSubKey)) {
        return false;
    }
    Node* node = LookupOrCreate(root, path);
    if (node == nullptr) {
        return false;
    }
    key = Register(node, access);
    return true;
}

bool MemoryRegistry::QueryValue(KeyHandle key, const std::wstring& name, std::uint32_t& type,
                                std::uint8_t* data, std::uint32_t& size) {
    const OpenKeyState* state = State(key);
    if (state == nullptr || (state->access & RegAccess::QueryValue) == 0) {
        return false;
    }
    auto it = state->node->values.find(Fold(name));
    if (it == state->node->values.end()) {
        return false;
    }
    const RegValue& value = it->second;
    const auto stored = static_cast<std::uint32_t>(value.data.size());
    type = value.type;
    if (data != nullptr) {
        if (size < stored) {
            size = stored;
            return false;
        }
        if (stored != 0) {
            std::memcpy(data, value.data.data(), stored);
        }
    }
    size = stored;
    return true;
}

bool MemoryRegistry::SetValue(KeyHandle key, const std::wstring& name, std::uint32_t type,
                              const std::uint8_t* data, std::uint32_t size) {
    const OpenKeyState* state = State(key);
    if (state == nullptr || (state->access & RegAccess::SetValue) == 0) {
        return false;
    }
    RegValue value{type, Bytes(data, data + (data == nullptr ? 0 : size))};
    state->node->values[Fold(name)] = std::move(value);
    return true;
}

bool MemoryRegistry::DeleteValue(KeyHandle key, const std::wstring& name) {
    const OpenKeyState* state = State(key);
    if (state == nullptr || (state->access & RegAccess::SetValue) == 0) {
        return false;
    }
    return state->node->values.erase(Fold(name)) != 0;
}

void MemoryRegistry::CloseKey(KeyHandle key) noexcept {
    handles_.erase(key);
}

}  // namespace vt
