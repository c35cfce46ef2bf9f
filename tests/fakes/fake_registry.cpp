#include "fakes/fake_registry.h"

#include <algorithm>
#include <cctype>

namespace kavelo::fakes {

namespace {

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

bool StartsWith(const std::vector<std::string>& path, const std::vector<std::string>& prefix) {
    return path.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), path.begin());
}

}  // namespace

struct FakeRegistry::Node {
    std::map<std::string, Node> keys;             // by lower-cased name
    std::map<std::string, RegistryValue> values;  // by lower-cased name
};

// A handle: where it points and whether it may write. Every call looks the
// key up again, so a handle to a deleted key finds nothing.
class FakeRegistry::Key final : public RegistryKey {
public:
    Key(FakeRegistry& registry, Location at, bool writable)
        : registry_(registry), at_(std::move(at)), writable_(writable) {
        ++registry_.openKeys_;
    }
    ~Key() override { --registry_.openKeys_; }

    std::unique_ptr<RegistryKey> OpenSubKey(const std::string& path, RegistryAccess access) override {
        Location sub;
        return Below(path, sub) ? registry_.OpenAt(sub, access) : nullptr;
    }
    std::unique_ptr<RegistryKey> CreateSubKey(const std::string& path) override {
        Location sub;
        return Below(path, sub) ? registry_.CreateAt(sub) : nullptr;
    }
    bool DeleteSubKeyTree(const std::string& path) override {
        Location sub;
        return !path.empty() && Below(path, sub) && registry_.DeleteTreeAt(sub);
    }

    std::optional<RegistryValue> QueryValue(const std::string& name) const override {
        const Node* node = registry_.Find(at_);
        if (!node) return std::nullopt;
        const auto it = node->values.find(Lower(name));
        if (it == node->values.end()) return std::nullopt;
        return it->second;
    }
    bool SetString(const std::string& name, const std::string& text) override {
        Node* node = registry_.Find(at_);
        if (!node || !writable_ || registry_.SetFails(at_, name)) return false;
        RegistryValue v{RegistryValueType::String, std::vector<uint8_t>(text.begin(), text.end())};
        v.Data.push_back(0);
        node->values[Lower(name)] = std::move(v);
        registry_.Record("set", at_, name);
        return true;
    }
    bool DeleteValue(const std::string& name) override {
        Node* node = registry_.Find(at_);
        if (!node || !writable_ || node->values.erase(Lower(name)) == 0) return false;
        registry_.Record("delete", at_, name);
        return true;
    }

private:
    bool Below(const std::string& path, Location& out) const {
        Path parts;
        if (!Split(path, parts)) return false;
        out = at_;
        out.path.insert(out.path.end(), parts.begin(), parts.end());
        return true;
    }

    FakeRegistry& registry_;
    Location at_;
    bool writable_;
};

FakeRegistry::FakeRegistry() : hkcu_(std::make_unique<Node>()), hklm_(std::make_unique<Node>()) {}
FakeRegistry::~FakeRegistry() = default;

bool FakeRegistry::Split(const std::string& text, Path& out) {
    out.clear();
    if (text.empty()) return true;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find('\\', start);
        std::string part = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (part.empty()) return false;  // leading, doubled or trailing backslash
        out.push_back(Lower(std::move(part)));
        if (end == std::string::npos) return true;
        start = end + 1;
    }
}

bool FakeRegistry::Locate(RegistryRoot root, const std::string& path, Location& out) {
    out.root = root;
    return Split(path, out.path);
}

FakeRegistry::Node* FakeRegistry::Find(const Location& at) const {
    Node* node = at.root == RegistryRoot::LocalMachine ? hklm_.get() : hkcu_.get();
    for (const auto& part : at.path) {
        const auto it = node->keys.find(part);
        if (it == node->keys.end()) return nullptr;
        node = &it->second;
    }
    return node;
}

FakeRegistry::Node* FakeRegistry::Make(const Location& at) {
    Node* node = at.root == RegistryRoot::LocalMachine ? hklm_.get() : hkcu_.get();
    for (const auto& part : at.path) node = &node->keys[part];
    return node;
}

bool FakeRegistry::Denied(const Location& at) const {
    return std::any_of(denyWrite_.begin(), denyWrite_.end(),
                       [&](const Location& d) { return d.root == at.root && StartsWith(at.path, d.path); });
}

bool FakeRegistry::CreateFails(const Location& at) const {
    return Denied(at) || std::any_of(failCreate_.begin(), failCreate_.end(), [&](const Location& f) {
               return f.root == at.root && StartsWith(at.path, f.path);
           });
}

bool FakeRegistry::SetFails(const Location& at, const std::string& name) const {
    return Denied(at) || std::any_of(failSet_.begin(), failSet_.end(), [&](const auto& f) {
               return f.first.root == at.root && f.first.path == at.path && f.second == Lower(name);
           });
}

void FakeRegistry::Record(const std::string& what, const Location& at, const std::string& name) {
    std::string key = at.root == RegistryRoot::LocalMachine ? "HKLM" : "";
    for (const auto& part : at.path) {
        if (!key.empty()) key += '\\';
        key += part;
    }
    if (!name.empty()) {
        key += '\\';
        key += Lower(name);
    }
    changes_.push_back(what + " " + key);
}

std::unique_ptr<RegistryKey> FakeRegistry::OpenAt(Location at, RegistryAccess access) {
    if (!Find(at)) return nullptr;
    const bool writable = access == RegistryAccess::ReadWrite;
    if (writable && Denied(at)) return nullptr;
    return std::make_unique<Key>(*this, std::move(at), writable);
}

std::unique_ptr<RegistryKey> FakeRegistry::CreateAt(Location at) {
    if (CreateFails(at)) return nullptr;
    if (!Find(at)) {
        Make(at);
        Record("create", at);
    }
    return std::make_unique<Key>(*this, std::move(at), true);
}

// Deletes what it may below `node`, deepest first; true when all of it went.
bool FakeRegistry::DeleteChildren(Location& at, Node& node) {
    bool complete = true;
    for (auto it = node.keys.begin(); it != node.keys.end();) {
        at.path.push_back(it->first);
        const bool gone = DeleteChildren(at, it->second) && !Denied(at);
        at.path.pop_back();
        if (gone) {
            it = node.keys.erase(it);
        } else {
            complete = false;
            ++it;
        }
    }
    return complete;
}

bool FakeRegistry::DeleteTreeAt(const Location& at) {
    Node* node = at.path.empty() ? nullptr : Find(at);
    if (!node) return false;
    Location walk = at;
    if (!DeleteChildren(walk, *node) || Denied(at)) return false;
    Location parent = at;
    parent.path.pop_back();
    Find(parent)->keys.erase(at.path.back());
    Record("deletetree", at);
    return true;
}

std::unique_ptr<RegistryKey> FakeRegistry::OpenKey(RegistryRoot root, const std::string& path,
                                                   RegistryAccess access) {
    Location at;
    return Locate(root, path, at) ? OpenAt(std::move(at), access) : nullptr;
}

std::unique_ptr<RegistryKey> FakeRegistry::CreateKey(RegistryRoot root, const std::string& path) {
    Location at;
    return Locate(root, path, at) ? CreateAt(std::move(at)) : nullptr;
}

bool FakeRegistry::DeleteKeyTree(RegistryRoot root, const std::string& path) {
    Location at;
    return Locate(root, path, at) && DeleteTreeAt(at);
}

void FakeRegistry::Put(RegistryRoot root, const std::string& path, const std::string& name,
                       RegistryValueType type, std::vector<uint8_t> data) {
    Location at;
    Locate(root, path, at);
    Make(at)->values[Lower(name)] = RegistryValue{type, std::move(data)};
}

void FakeRegistry::PutString(RegistryRoot root, const std::string& path, const std::string& name,
                             const std::string& text) {
    std::vector<uint8_t> data(text.begin(), text.end());
    data.push_back(0);
    Put(root, path, name, RegistryValueType::String, std::move(data));
}

bool FakeRegistry::KeyExists(RegistryRoot root, const std::string& path) const {
    Location at;
    return Locate(root, path, at) && Find(at) != nullptr;
}

std::optional<RegistryValue> FakeRegistry::Get(RegistryRoot root, const std::string& path,
                                               const std::string& name) const {
    Location at;
    const Node* node = Locate(root, path, at) ? Find(at) : nullptr;
    if (!node) return std::nullopt;
    const auto it = node->values.find(Lower(name));
    if (it == node->values.end()) return std::nullopt;
    return it->second;
}

void FakeRegistry::FailCreate(RegistryRoot root, const std::string& path) {
    Location at;
    Locate(root, path, at);
    failCreate_.push_back(at);
}

void FakeRegistry::FailSet(RegistryRoot root, const std::string& path, const std::string& name) {
    Location at;
    Locate(root, path, at);
    failSet_.emplace_back(at, Lower(name));
}

void FakeRegistry::DenyWrite(RegistryRoot root, const std::string& path) {
    Location at;
    Locate(root, path, at);
    denyWrite_.push_back(at);
}

}  // namespace kavelo::fakes
