#pragma once
#include <string>

#include "platform/registry.h"

namespace kavelo::win32 {

// The real registry, through the ANSI calls.
class Win32Registry final : public Registry {
public:
    std::unique_ptr<RegistryKey> OpenKey(RegistryRoot root, const std::string& path,
                                         RegistryAccess access) override;
    std::unique_ptr<RegistryKey> CreateKey(RegistryRoot root, const std::string& path) override;
    bool DeleteKeyTree(RegistryRoot root, const std::string& path) override;
};

// Full path of the running program file (the process's main module), however
// long it is.
std::string ProgramPath();

}  // namespace kavelo::win32
