#include <gtest/gtest.h>

#include "platform/win32/log_file_win32.h"

namespace kavelo::win32 {
namespace {

// Rows appended are read back; a replacement that cannot take the file's place (a reader without
// FILE_SHARE_DELETE holds it) leaves it whole; a folder that cannot be made says why.
TEST(Win32LogFile, AppendsReplacesAndFailsCleanly) {
    wchar_t temp[MAX_PATH];
    const std::wstring folder = std::wstring(temp, GetTempPathW(MAX_PATH, temp)) + L"kavelo-log-test";
    const std::wstring path = folder + L"\\history.csv";
    LogFileWin32 log(folder);
    std::string text, why;
    ASSERT_TRUE(log.MakeFolder(why) && log.Read(text, why) && text.empty() && log.Append("a\r\n", why) &&
                log.Replace("header\r\n", why) && log.Append("c\r\n", why)) << why;
    UniqueKernelHandle reader(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                          OPEN_EXISTING, 0, nullptr));
    EXPECT_TRUE(!log.Replace("new\r\n", why) && why.find("MoveFileExW") != std::string::npos) << why;
    EXPECT_TRUE(log.Read(text, why) && text == "header\r\nc\r\n") << text;
    EXPECT_TRUE(!LogFileWin32(path + L"\\Kavelo").MakeFolder(why) && why.find("history.csv") != std::string::npos);
    reader.reset();
    DeleteFileW(path.c_str());
    RemoveDirectoryW(folder.c_str());
}

}  // namespace
}  // namespace kavelo::win32
