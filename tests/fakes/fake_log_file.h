#pragma once
// The charge log's file in memory; a failing call says "<call> refused".
#include <string>

#include "platform/log_file.h"

namespace kavelo::fakes {

class FakeLogFile final : public LogFile {
public:
    std::string text, refuse;  // refuse: "folder", "read", "append" or "replace"
    int replaces = 0;
    std::string Folder() const override { return "C:\\Kavelo"; }
    bool MakeFolder(std::string& why) override { return Allowed("folder", why); }
    bool Read(std::string& out, std::string& why) override { return out = text, Allowed("read", why); }
    bool Append(std::string_view row, std::string& why) override {
        return Allowed("append", why) && (text += row, true);
    }
    bool Replace(std::string_view whole, std::string& why) override {
        return Allowed("replace", why) && (text = whole, ++replaces);
    }
    void OpenFolder() override {}

private:
    bool Allowed(const char* call, std::string& why) const {
        return refuse != call || (why = refuse + " refused", false);
    }
};

}  // namespace kavelo::fakes
