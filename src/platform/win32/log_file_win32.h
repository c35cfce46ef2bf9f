#pragma once
#include <string>

#include "platform/log_file.h"
#include "platform/win32/handles_win32.h"

namespace kavelo::win32 {

// history.csv in a folder given by its wide path; the gauge's own is
// %LOCALAPPDATA%\Kavelo (LocalLogFolder).
class LogFileWin32 final : public LogFile {
public:
    explicit LogFileWin32(std::wstring folder);

    std::string Folder() const override;
    bool MakeFolder(std::string& why) override;
    bool Read(std::string& text, std::string& why) override;
    bool Append(std::string_view row, std::string& why) override;
    bool Replace(std::string_view text, std::string& why) override;
    void OpenFolder() override;

private:
    std::wstring folder_;
    std::wstring path_;
    UniqueKernelHandle append_;  // opened by the first row, kept for the next
};

// %LOCALAPPDATA%\Kavelo; empty when the variable is not set.
std::wstring LocalLogFolder();

}  // namespace kavelo::win32
