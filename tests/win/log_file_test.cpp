#include <gtest/gtest.h>

#include "platform/win32/log_file_win32.h"

namespace kavelo::win32 {
namespace {

// The real file under a temporary folder: rows added one by one are read
// back, a replacement that cannot take the file's place leaves it whole,
// and a folder that cannot be made says why.
TEST(Win32LogFile, AppendsReplacesAndFailsCleanly) {
    wchar_t temp[MAX_PATH];
    ASSERT_GT(GetTempPathW(MAX_PATH, temp), 0u);
    const std::wstring base = std::wstring(temp) + L"kavelo-log-test-" + std::to_wstring(GetCurrentProcessId());
    LogFileWin32 log(base + L"\\deeper\\Kavelo");
    std::string text, why;
    ASSERT_TRUE(log.MakeFolder(why)) << why;
    ASSERT_TRUE(log.Read(text, why) && text.empty()) << why;
    for (const char* row : {"a\r\n", "b\r\n"}) ASSERT_TRUE(log.Append(row, why)) << why;
    ASSERT_TRUE(log.Replace("header\r\n", why)) << why;
    ASSERT_TRUE(log.Append("c\r\n", why)) << why;
    ASSERT_TRUE(log.Read(text, why));
    EXPECT_EQ(text, "header\r\nc\r\n");
    {
        const std::wstring path = base + L"\\deeper\\Kavelo\\history.csv";
        UniqueKernelHandle reader(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                              nullptr, OPEN_EXISTING, 0, nullptr));
        EXPECT_FALSE(log.Replace("new\r\n", why));
        EXPECT_NE(why.find("MoveFileExW"), std::string::npos) << why;
    }
    ASSERT_TRUE(log.Read(text, why));
    EXPECT_EQ(text, "header\r\nc\r\n");
    LogFileWin32 blocked(base + L"\\deeper\\Kavelo\\history.csv\\Kavelo");
    EXPECT_FALSE(blocked.MakeFolder(why));
    EXPECT_NE(why.find("history.csv"), std::string::npos) << why;
    DeleteFileW((base + L"\\deeper\\Kavelo\\history.csv").c_str());
    for (const wchar_t* dir : {L"\\deeper\\Kavelo", L"\\deeper", L""}) RemoveDirectoryW((base + dir).c_str());
}

}  // namespace
}  // namespace kavelo::win32
