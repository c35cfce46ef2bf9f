#include "platform/win32/log_file_win32.h"

#include <shellapi.h>

#include "platform/win32/error_box_win32.h"
#include "platform/win32/last_error_win32.h"

namespace kavelo::win32 {
namespace {

bool Fail(std::string& why, const char* call, const std::wstring& path) {
    why = LastErrorText(std::string(call) + "(" + Narrow(path) + ")", GetLastError());
    return false;
}

// CreateFileW's handle, or none: its failure value is not null.
UniqueKernelHandle OpenFile(const std::wstring& path, DWORD access, DWORD share, DWORD how) {
    HANDLE h = CreateFileW(path.c_str(), access, share, nullptr, how, FILE_ATTRIBUTE_NORMAL, nullptr);
    return UniqueKernelHandle(h == INVALID_HANDLE_VALUE ? nullptr : h);
}

bool WriteAll(HANDLE file, std::string_view text) {
    DWORD written = 0;
    return WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
           written == text.size();
}

}  // namespace

LogFileWin32::LogFileWin32(std::wstring folder)
    : folder_(std::move(folder)), path_(folder_ + L"\\history.csv") {}

std::string LogFileWin32::Folder() const { return Narrow(folder_); }

bool LogFileWin32::MakeFolder(std::string& why) {
    if (folder_.empty()) {
        why = "LOCALAPPDATA is not set";
        return false;
    }
    // Each folder of the path in turn, from the first below the drive; only
    // whether the last one is there in the end counts.
    DWORD code = 0;
    for (size_t end = folder_.find(L'\\', 3);; end = folder_.find(L'\\', end + 1)) {
        code = CreateDirectoryW(folder_.substr(0, end).c_str(), nullptr) ? 0 : GetLastError();
        if (end == std::wstring::npos) break;
    }
    const DWORD attributes = GetFileAttributesW(folder_.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return true;
    SetLastError(attributes != INVALID_FILE_ATTRIBUTES ? ERROR_DIRECTORY : code);
    return Fail(why, "CreateDirectoryW", folder_);
}

bool LogFileWin32::Read(std::string& text, std::string& why) {
    text.clear();
    UniqueKernelHandle file =
        OpenFile(path_, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING);
    if (!file) {
        const DWORD code = GetLastError();
        return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND ||
               Fail(why, "CreateFileW", path_);
    }
    char buffer[16384];
    for (DWORD n = 0;; text.append(buffer, n)) {
        if (!ReadFile(file.get(), buffer, sizeof buffer, &n, nullptr)) return Fail(why, "ReadFile", path_);
        if (n == 0) return true;
    }
}

bool LogFileWin32::Append(std::string_view row, std::string& why) {
    if (!append_) {
        append_ = OpenFile(path_, FILE_APPEND_DATA, FILE_SHARE_READ, OPEN_ALWAYS);
        if (!append_) return Fail(why, "CreateFileW", path_);
    }
    return WriteAll(append_.get(), row) || Fail(why, "WriteFile", path_);
}

bool LogFileWin32::Replace(std::string_view text, std::string& why) {
    // The file held for appending would stop the move; the next row opens it again.
    append_.reset();
    const std::wstring temporary = path_ + L".tmp";
    {
        UniqueKernelHandle file = OpenFile(temporary, GENERIC_WRITE, 0, CREATE_ALWAYS);
        if (!file) return Fail(why, "CreateFileW", temporary);
        if (!WriteAll(file.get(), text) || !FlushFileBuffers(file.get())) {
            Fail(why, "WriteFile", temporary);
            file.reset();
            DeleteFileW(temporary.c_str());
            return false;
        }
    }
    if (MoveFileExW(temporary.c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    Fail(why, "MoveFileExW", path_);
    DeleteFileW(temporary.c_str());
    return false;
}

void LogFileWin32::OpenFolder() {
    ShellExecuteW(nullptr, L"open", folder_.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

std::wstring LocalLogFolder() {
    wchar_t buffer[MAX_PATH];
    const DWORD n = GetEnvironmentVariableW(L"LOCALAPPDATA", buffer, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return {};
    return std::wstring(buffer, n) + L"\\Kavelo";
}

}  // namespace kavelo::win32
