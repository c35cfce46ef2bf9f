// The contracts of the layer's shared helpers: handle owners, the one
// window procedure and its error guard, errors with their codes.
#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/win32/last_error_win32.h"
#include "platform/win32/window_thunk_win32.h"
#include "win/window_test_support.h"

namespace kavelo::win32 {
namespace {

void CountClose(int* closes) noexcept { ++*closes; }
using Counted = UniqueHandle<int*, &CountClose>;

TEST(Win32Handles, AnOwnerClosesOnceWhereverItMovesAndNotAfterRelease) {
    int closes = 0, released = 0;
    {
        Counted first(&closes), kept(&released);
        Counted moved(std::move(first)), assigned;
        assigned = std::move(moved);
        EXPECT_TRUE(!first && !moved && assigned.get() == &closes);
        EXPECT_EQ(kept.release(), &released);
        EXPECT_EQ(closes, 0);
    }
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(released, 0);

    UniqueWindow window(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr));
    const HWND hwnd = window.get();
    window.reset();
    EXPECT_FALSE(IsWindow(hwnd));

    const MemoryDc dc(CreateCompatibleDC(nullptr));
    const HGDIOBJ before = GetCurrentObject(dc.get(), OBJ_FONT);
    {
        const ScopedSelect font(dc.get(), GetStockObject(DEFAULT_GUI_FONT));
        EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_FONT), GetStockObject(DEFAULT_GUI_FONT));
    }
    EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_FONT), before);
}

TEST(Win32WindowClass, RegisteringTwiceIsFineAndAFailedCallCarriesItsCode) {
    EXPECT_NO_THROW(RegisterWindowClass(L"KaveloLayerTest"));
    EXPECT_NO_THROW(RegisterWindowClass(L"KaveloLayerTest", CS_DBLCLKS));
    try {
        CreateRoutedDialog(9999, "missing", nullptr, nullptr, nullptr);
        ADD_FAILURE() << "a dialog without a template was made";
    } catch (const Win32Error& e) {
        EXPECT_NE(e.Code(), 0u);
        EXPECT_EQ(std::string(e.what()).rfind("CreateDialogParamW(missing) failed: error " + std::to_string(e.Code()), 0),
                  0u) << e.what();
    }
}

std::vector<std::wstring> g_boxes;
void CALLBACK CloseErrorBoxes(HWND, UINT, UINT_PTR, DWORD) {
    for (HWND box : test::ThreadWindows(L"#32770")) {
        wchar_t text[256] = {};
        GetDlgItemTextW(box, 0xFFFF, text, 256);
        g_boxes.push_back(text);
        EndDialog(box, IDOK);
    }
}

class Target final : public MessageTarget<WindowKind> {
public:
    Target() { CreateWindowFor({.className = L"KaveloLayerTest", .style = WS_POPUP}); }
    bool sawCreation = false;
    UINT dpi = 0;

private:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_APP) throw std::runtime_error("handler failed");
        sawCreation = sawCreation || message == WM_CREATE;
        return DefaultProc(message, wParam, lParam);
    }
    LRESULT OnDpiChanged(UINT newDpi, const RECT&, WPARAM, LPARAM) override {
        dpi = newDpi;
        return 0;
    }
};

TEST(Win32WindowProcedure, CreationReachesTheObjectAndAThrowingHandlerIsReportedOnce) {
    Target target;
    EXPECT_TRUE(target.sawCreation);
    RECT suggested{0, 0, 10, 10};
    SendMessageW(target.Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(target.dpi, 144u);

    g_boxes.clear();
    const UINT_PTR closer = SetTimer(nullptr, 0, 100, &CloseErrorBoxes);
    EXPECT_EQ(SendMessageW(target.Handle(), WM_APP, 0, 0), 0);
    KillTimer(nullptr, closer);
    ASSERT_EQ(g_boxes.size(), 1u);
    EXPECT_EQ(g_boxes[0], L"handler failed.");
    EXPECT_TRUE(IsWindow(target.Handle()));
}

}  // namespace
}  // namespace kavelo::win32
