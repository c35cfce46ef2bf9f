#pragma once
// The charge log's file in memory; the call named by `refuse` ("folder",
// "read", "append" or "replace") fails, saying "<call> refused".
#include <string>

#include "platform/log_file.h"

namespace kavelo::fakes {

struct FakeLogFile final : LogFile {
    std::string text, refuse;
    int replaces = 0;
    std::string Folder() const override { return "C:\\Kavelo"; }
    bool MakeFolder(std::string& why) override { return Ok("folder", why); }
    bool Read(std::string& out, std::string& why) override { return out = text, Ok("read", why); }
    bool Append(std::string_view row, std::string& why) override { return Ok("append", why) && (text += row, 1); }
    bool Replace(std::string_view t, std::string& why) override { return Ok("replace", why) && (text = t, ++replaces); }
    void OpenFolder() override {}
    bool Ok(const char* call, std::string& why) const { return refuse != call || (why = refuse + " refused", false); }
};

}  // namespace kavelo::fakes
