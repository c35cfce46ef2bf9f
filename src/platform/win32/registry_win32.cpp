#include "platform/win32/registry_win32.h"

#include <windows.h>

#include "platform/win32/error_box_win32.h"
#include "platform/win32/handles_win32.h"

namespace kavelo::win32 {

namespace {

HKEY RootKey(RegistryRoot root) {
    return root == RegistryRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

REGSAM Sam(RegistryAccess access) {
    return access == RegistryAccess::ReadWrite ? (KEY_READ | KEY_WRITE) : KEY_READ;
}

RegistryValueType TypeOf(DWORD type) {
    switch (type) {
    case REG_SZ: return RegistryValueType::String;
    case REG_EXPAND_SZ: return RegistryValueType::ExpandString;
    case REG_DWORD: return RegistryValueType::Dword;
    default: return RegistryValueType::Other;
    }
}

// Deletes `path` below `parent` and everything below it, deepest first. Goes
// on past a subkey that can't be deleted, so that as much as possible is gone.
bool DeleteTree(HKEY parent, const std::string& path) {
    if (path.empty()) return false;
    HKEY raw = nullptr;
    if (RegOpenKeyExA(parent, path.c_str(), 0, KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE | DELETE, &raw) !=
        ERROR_SUCCESS)
        return false;
    bool complete = true;
    {
        UniqueKey key(raw);
        DWORD index = 0;  // subkeys that failed stay in place; skip past them
        for (;;) {
            char name[256];  // key names are at most 255 characters
            DWORD length = sizeof name;
            const LONG rc = RegEnumKeyExA(key.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr);
            if (rc == ERROR_NO_MORE_ITEMS) break;
            if (rc != ERROR_SUCCESS || !DeleteTree(key.get(), std::string(name, length))) {
                complete = false;
                ++index;
            }
        }
    }
    return RegDeleteKeyA(parent, path.c_str()) == ERROR_SUCCESS && complete;
}

class Win32Key final : public RegistryKey {
public:
    explicit Win32Key(HKEY key) : key_(key) {}

    std::unique_ptr<RegistryKey> OpenSubKey(const std::string& path, RegistryAccess access) override {
        return Open(key_.get(), path, access);
    }
    std::unique_ptr<RegistryKey> CreateSubKey(const std::string& path) override {
        return Create(key_.get(), path);
    }
    bool DeleteSubKeyTree(const std::string& path) override { return DeleteTree(key_.get(), path); }

    std::optional<RegistryValue> QueryValue(const std::string& name) const override {
        // Settings are short texts: one call usually does. A longer value (or
        // one that grows meanwhile) is asked for again at the size it needs.
        DWORD type = 0;
        std::vector<uint8_t> data(64);
        for (;;) {
            DWORD got = static_cast<DWORD>(data.size());
            const LONG rc = RegQueryValueExA(key_.get(), name.c_str(), nullptr, &type, data.data(), &got);
            if (rc == ERROR_MORE_DATA) {
                data.resize(got > data.size() ? got : data.size() * 2);
                continue;
            }
            if (rc != ERROR_SUCCESS) return std::nullopt;
            data.resize(got);
            return RegistryValue{TypeOf(type), std::move(data)};
        }
    }

    bool SetString(const std::string& name, const std::string& text) override {
        const std::wstring wideName = Widen(name), wideText = Widen(text);
        return RegSetValueExW(key_.get(), wideName.c_str(), 0, REG_SZ,
                              reinterpret_cast<const BYTE*>(wideText.c_str()),
                              static_cast<DWORD>((wideText.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
    }

    bool DeleteValue(const std::string& name) override {
        return RegDeleteValueA(key_.get(), name.c_str()) == ERROR_SUCCESS;
    }

    static std::unique_ptr<RegistryKey> Open(HKEY parent, const std::string& path, RegistryAccess access) {
        HKEY key = nullptr;
        if (RegOpenKeyExA(parent, path.c_str(), 0, Sam(access), &key) != ERROR_SUCCESS) return nullptr;
        return std::make_unique<Win32Key>(key);
    }

    static std::unique_ptr<RegistryKey> Create(HKEY parent, const std::string& path) {
        HKEY key = nullptr;
        if (RegCreateKeyExA(parent, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE,
                            nullptr, &key, nullptr) != ERROR_SUCCESS)
            return nullptr;
        return std::make_unique<Win32Key>(key);
    }

private:
    UniqueKey key_;
};

}  // namespace

std::unique_ptr<RegistryKey> Win32Registry::OpenKey(RegistryRoot root, const std::string& path,
                                                    RegistryAccess access) {
    return Win32Key::Open(RootKey(root), path, access);
}

std::unique_ptr<RegistryKey> Win32Registry::CreateKey(RegistryRoot root, const std::string& path) {
    return Win32Key::Create(RootKey(root), path);
}

bool Win32Registry::DeleteKeyTree(RegistryRoot root, const std::string& path) {
    return DeleteTree(RootKey(root), path);
}

std::string ProgramPath() {
    // Wide, or a folder outside the ANSI code page would come out with '?'.
    // GetModuleFileNameW truncates silently when the buffer is too small
    // (the result then equals the size); grow until the path fits.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return {};
        if (n < path.size()) {
            path.resize(n);
            return Narrow(path);
        }
        if (path.size() >= 65536) return {};
        path.resize(path.size() * 2);
    }
}

}  // namespace kavelo::win32
