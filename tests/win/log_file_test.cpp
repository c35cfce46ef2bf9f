#include <gtest/gtest.h>

#include "platform/win32/log_file_win32.h"

namespace kavelo::win32 {
namespace {

// The real file: rows added one by one are read back, a replacement that
// cannot take the file's place leaves it whole, a folder that cannot be made says why.
TEST(Win32LogFile, AppendsReplacesAndFailsCleanly) {
    wchar_t temp[MAX_PATH];
    ASSERT_GT(GetTempPathW(MAX_PATH, temp), 0u);
    const std::wstring folder = temp + (L"kavelo-log-" + std::to_wstring(GetCurrentProcessId()) + L"\\Kavelo");
    const std::wstring path = folder + L"\\history.csv";
    LogFileWin32 log(folder);
    std::string text, why;
    ASSERT_TRUE(log.MakeFolder(why) && log.Read(text, why) && text.empty()) << why;
    for (const char* row : {"a\r\n", "b\r\n"}) ASSERT_TRUE(log.Append(row, why)) << why;
    ASSERT_TRUE(log.Replace("header\r\n", why) && log.Append("c\r\n", why)) << why;
    UniqueKernelHandle reader(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                          OPEN_EXISTING, 0, nullptr));
    EXPECT_FALSE(log.Replace("new\r\n", why));
    EXPECT_NE(why.find("MoveFileExW"), std::string::npos) << why;
    reader.reset();
    EXPECT_TRUE(log.Read(text, why) && text == "header\r\nc\r\n") << text;
    EXPECT_FALSE(LogFileWin32(path + L"\\Kavelo").MakeFolder(why));
    EXPECT_NE(why.find("history.csv"), std::string::npos) << why;
    DeleteFileW(path.c_str());
    RemoveDirectoryW(folder.c_str());
    RemoveDirectoryW(folder.substr(0, folder.size() - 7).c_str());
}

}  // namespace
}  // namespace kavelo::win32
