#pragma once
// An in-memory registry with the real one's semantics (case-insensitive
// names, subtree deletion, read-only handles) and injectable failures,
// among them the access denial below HKEY_LOCAL_MACHINE that Wine doesn't
// enforce.
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/registry.h"

namespace kavelo::fakes {

class FakeRegistry final : public Registry {
public:
    FakeRegistry();
    ~FakeRegistry() override;

    std::unique_ptr<RegistryKey> OpenKey(RegistryRoot root, const std::string& path,
                                         RegistryAccess access) override;
    std::unique_ptr<RegistryKey> CreateKey(RegistryRoot root, const std::string& path) override;
    bool DeleteKeyTree(RegistryRoot root, const std::string& path) override;

    // Test side: direct access, past every failure and denial.
    void Put(RegistryRoot root, const std::string& path, const std::string& name, RegistryValueType type,
             std::vector<uint8_t> data);
    void PutString(RegistryRoot root, const std::string& path, const std::string& name, const std::string& text);
    bool KeyExists(RegistryRoot root, const std::string& path) const;
    std::optional<RegistryValue> Get(RegistryRoot root, const std::string& path, const std::string& name) const;

    // Creating this key or a key below it fails, whether it exists or not.
    void FailCreate(RegistryRoot root, const std::string& path);
    // Setting this value of this key fails.
    void FailSet(RegistryRoot root, const std::string& path, const std::string& name);
    // This key and everything below it are read-only to the program: opening
    // for writing, creating, setting and deleting fail ("" = the whole hive).
    void DenyWrite(RegistryRoot root, const std::string& path);

    // Keys currently open through this registry.
    int OpenKeys() const { return openKeys_; }
    // Every change made through the interface, in order: "create <key>",
    // "set <key>\<name>", "delete <key>\<name>", "deletetree <key>", names
    // lower-cased, HKLM keys prefixed "HKLM\".
    const std::vector<std::string>& Changes() const { return changes_; }

private:
    class Key;
    struct Node;
    using Path = std::vector<std::string>;  // lower-cased components
    struct Location {
        RegistryRoot root;
        Path path;
    };

    static bool Split(const std::string& text, Path& out);
    static bool Locate(RegistryRoot root, const std::string& path, Location& out);
    Node* Find(const Location& at) const;
    Node* Make(const Location& at);
    bool Denied(const Location& at) const;
    bool CreateFails(const Location& at) const;
    bool SetFails(const Location& at, const std::string& name) const;
    void Record(const std::string& what, const Location& at, const std::string& name = {});
    std::unique_ptr<RegistryKey> OpenAt(Location at, RegistryAccess access);
    std::unique_ptr<RegistryKey> CreateAt(Location at);
    bool DeleteTreeAt(const Location& at);
    bool DeleteChildren(Location& at, Node& node);

    std::unique_ptr<Node> hkcu_, hklm_;
    std::vector<Location> failCreate_, denyWrite_;
    std::vector<std::pair<Location, std::string>> failSet_;
    std::vector<std::string> changes_;
    int openKeys_ = 0;
};

}  // namespace kavelo::fakes
