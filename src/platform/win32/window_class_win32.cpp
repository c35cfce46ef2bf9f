#include <string>

#include "platform/win32/last_error_win32.h"
#include "platform/win32/window_thunk_win32.h"

namespace kavelo::win32 {

namespace {
// Class and template names are plain ASCII.
std::string Ascii(const wchar_t* name) {
    std::string ascii;
    for (const wchar_t* p = name; *p; ++p) ascii += static_cast<char>(*p);
    return ascii;
}
}  // namespace

void RegisterWindowClass(const wchar_t* className, UINT classStyle) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = classStyle;
    wc.lpfnWndProc = &MessageTarget<WindowKind>::Procedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = className;
    if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        ThrowLastError("RegisterClassExW(" + Ascii(className) + ")");
}

void CreateRoutedWindow(const WindowOptions& window, void* object) {
    RegisterWindowClass(window.className, window.classStyle);
    if (!CreateWindowExW(window.exStyle, window.className, window.title, window.style, window.x, window.y, window.width,
                         window.height, window.parent, nullptr, GetModuleHandleW(nullptr), object))
        ThrowLastError("CreateWindowExW(" + Ascii(window.className) + ")");
}

void CreateRoutedDialog(int templateId, const char* templateName, HWND owner, DLGPROC procedure, void* object) {
    if (!CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId), owner, procedure,
                            reinterpret_cast<LPARAM>(object)))
        ThrowLastError(std::string("CreateDialogParamW(") + templateName + ")");
}

}  // namespace kavelo::win32
