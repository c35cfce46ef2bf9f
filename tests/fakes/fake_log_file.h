#pragma once
// The charge log's file in memory, with a switch for each way it can fail.
#include <string>

#include "platform/log_file.h"

namespace kavelo::fakes {

class FakeLogFile final : public LogFile {
public:
    std::string text;
    bool exists = false;
    bool failFolder = false, failRead = false, failAppend = false, failReplace = false;
    int replaces = 0, opens = 0;

    std::string Folder() const override { return "C:\\Users\\u\\AppData\\Local\\Kavelo"; }
    bool MakeFolder(std::string& why) override { return Refuse(failFolder, "folder", why); }
    bool Read(std::string& out, std::string& why) override {
        out = exists ? text : std::string();
        return Refuse(failRead, "read", why);
    }
    bool Append(std::string_view row, std::string& why) override {
        if (!Refuse(failAppend, "append", why)) return false;
        exists = true;
        text += row;
        return true;
    }
    bool Replace(std::string_view whole, std::string& why) override {
        if (!Refuse(failReplace, "replace", why)) return false;
        ++replaces;
        exists = true;
        text = whole;
        return true;
    }
    void OpenFolder() override { ++opens; }

private:
    static bool Refuse(bool fail, const char* what, std::string& why) {
        if (fail) why = std::string(what) + " refused";
        return !fail;
    }
};

}  // namespace kavelo::fakes
