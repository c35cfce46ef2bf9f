#pragma once
#include <string>

#include "platform/registry.h"

namespace kavelo::win32 {

// The real registry. Names go through the ANSI calls (they are all ASCII);
// a string value is written from UTF-8 through the wide call, so that any
// path is stored as it is, whatever the system's ANSI code page.
class Win32Registry final : public Registry {
public:
    std::unique_ptr<RegistryKey> OpenKey(RegistryRoot root, const std::string& path,
                                         RegistryAccess access) override;
    std::unique_ptr<RegistryKey> CreateKey(RegistryRoot root, const std::string& path) override;
    bool DeleteKeyTree(RegistryRoot root, const std::string& path) override;
};

// Full path of the running program file (the process's main module), however
// long it is, in UTF-8.
std::string ProgramPath();

}  // namespace kavelo::win32
