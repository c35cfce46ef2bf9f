#pragma once
// The registry as the settings store and the logon entry need it: keys below
// the current user's and the machine's hives, string values and deletion of
// whole subtrees. Key and value names compare without regard to case, as the
// registry's own do. Paths are relative ("Kavelo\Position"), components
// separated by single backslashes.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kavelo {

enum class RegistryRoot { CurrentUser, LocalMachine };

enum class RegistryAccess { Read, ReadWrite };

// REG_SZ, REG_EXPAND_SZ, REG_DWORD; every other type is Other.
enum class RegistryValueType { String, ExpandString, Dword, Other };

struct RegistryValue {
    RegistryValueType Type = RegistryValueType::Other;
    std::vector<uint8_t> Data;  // the raw bytes, a string's terminating zero included
};

// An open key, closed when the object goes away. Subkey paths are relative
// to this key; the empty path means the key itself.
class RegistryKey {
public:
    virtual ~RegistryKey() = default;

    // Opens an existing key; nullptr when it is missing or access is refused.
    virtual std::unique_ptr<RegistryKey> OpenSubKey(const std::string& path, RegistryAccess access) = 0;
    // Opens the key for reading and writing, creating it and any missing keys
    // above it; nullptr on failure.
    virtual std::unique_ptr<RegistryKey> CreateSubKey(const std::string& path) = 0;
    // Deletes the key with everything below it, each subkey's subtree before
    // the key that holds it. False when the key is missing or some part of it
    // could not be deleted (what could be deleted is gone).
    virtual bool DeleteSubKeyTree(const std::string& path) = 0;

    // The value's type and data; nullopt when there is no such value.
    virtual std::optional<RegistryValue> QueryValue(const std::string& name) const = 0;
    // Writes a REG_SZ value, its data the text (UTF-8) and a terminating zero.
    virtual bool SetString(const std::string& name, const std::string& text) = 0;
    virtual bool DeleteValue(const std::string& name) = 0;
};

// The two hives. Same operations as on an open key, from a hive's root.
class Registry {
public:
    virtual ~Registry() = default;
    virtual std::unique_ptr<RegistryKey> OpenKey(RegistryRoot root, const std::string& path,
                                                 RegistryAccess access) = 0;
    virtual std::unique_ptr<RegistryKey> CreateKey(RegistryRoot root, const std::string& path) = 0;
    virtual bool DeleteKeyTree(RegistryRoot root, const std::string& path) = 0;
};

}  // namespace kavelo
