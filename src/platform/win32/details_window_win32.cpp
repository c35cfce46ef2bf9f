#include "platform/win32/details_window_win32.h"

#include <cstring>

#include "platform/win32/error_box_win32.h"
#include "platform/win32/last_error_win32.h"
#include "render/pixel_buffer.h"

namespace kavelo::win32 {

namespace {

enum : int {
    kGraph = 100,
    kSummary,
    kDay,
    kWeek,
    kOpenFolder,
    kCopy,
    kLabels = 200,  // + the figure's index
    kValues = 300,
};
constexpr UINT_PTR kTimerId = 1;

// The 96-DPI layout: the graph area, its summary and choices on top, then
// the figures in two columns of label and value, then the buttons.
constexpr int kMargin = 12;
constexpr int kGraphWidth = 496, kGraphHeight = 120;
constexpr int kFiguresTop = 190, kRowHeight = 20, kTextHeight = 16;
constexpr int kRows = 6;
struct Column {
    int labelX, labelWidth, valueX, valueWidth;
};
constexpr Column kColumns[] = {{12, 124, 140, 124}, {272, 120, 396, 112}};
constexpr int kButtonsTop = kFiguresTop + kRows * kRowHeight + 8;
constexpr int kClientWidth = kMargin + kGraphWidth + kMargin;
constexpr int kClientHeight = kButtonsTop + 24 + kMargin;

constexpr DWORD kText = SS_LEFT | SS_NOPREFIX;

}  // namespace

DetailsWindowWin32::DetailsWindowWin32(HWND owner, DetailsWindowEvents& events,
                                       const std::vector<std::string>& labels)
    : events_(events), values_(labels.size()) {
    CreateDialogWindow(owner, L"Battery details", kClientWidth, kClientHeight);
    AddControl({kGraph, L"STATIC", L"", SS_BITMAP, kMargin, kMargin, kGraphWidth, kGraphHeight});
    AddControl({kSummary, L"STATIC", L"", kText, kMargin, 136, kGraphWidth, kTextHeight});
    AddControl({kDay, L"BUTTON", L"Last 24 hours", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, kMargin, 156, 110,
                20});
    AddControl({kWeek, L"BUTTON", L"Last 7 days", BS_AUTORADIOBUTTON, 126, 156, 110, 20});
    AddControl({kOpenFolder, L"BUTTON", L"Open log folder", BS_PUSHBUTTON | WS_GROUP | WS_TABSTOP, 388, 154, 120,
                24});
    for (size_t i = 0; i < labels.size(); ++i) {
        const Column& c = kColumns[i / kRows % 2];
        const int y = kFiguresTop + static_cast<int>(i % kRows) * kRowHeight;
        const int id = static_cast<int>(i);
        AddControl({kLabels + id, L"STATIC", Widen(labels[i]), kText, c.labelX, y, c.labelWidth, kTextHeight});
        AddControl({kValues + id, L"STATIC", L"", kText, c.valueX, y, c.valueWidth, kTextHeight});
    }
    AddControl({kCopy, L"BUTTON", L"Copy", BS_PUSHBUTTON | WS_TABSTOP, 352, kButtonsTop, 75, 24});
    AddControl({IDCANCEL, L"BUTTON", L"Close", BS_DEFPUSHBUTTON | WS_TABSTOP, 433, kButtonsTop, 75, 24});
    SendMessageW(Handle(), DM_SETDEFID, IDCANCEL, 0);
    SendMessageW(Item(kDay), BM_SETCHECK, BST_CHECKED, 0);
    EnableGraph(false);
    Layout();
    if (!SetTimer(Handle(), kTimerId, kRefreshMs, nullptr)) TraceLastError("SetTimer(details)");
}

DetailsWindowWin32::~DetailsWindowWin32() {
    DestroyWindowNow();  // the controls let go of the graph's bitmap first
}

void DetailsWindowWin32::SetValues(const std::vector<std::string>& values) {
    for (size_t i = 0; i < values.size() && i < values_.size(); ++i) {
        std::wstring text = Widen(values[i]);
        if (text == values_[i]) continue;
        values_[i] = std::move(text);
        SetWindowTextW(Item(kValues + static_cast<int>(i)), values_[i].c_str());
    }
}

void DetailsWindowWin32::PutOnClipboard(const std::string& text) {
    const std::wstring wide = Widen(text);
    const size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!memory) ThrowLastError("GlobalAlloc(clipboard)");
    if (void* p = GlobalLock(memory)) {
        std::memcpy(p, wide.c_str(), bytes);
        GlobalUnlock(memory);
    }
    if (!OpenClipboard(Handle())) {
        GlobalFree(memory);
        ThrowLastError("OpenClipboard");
    }
    EmptyClipboard();
    const bool placed = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    if (!placed) GlobalFree(memory);  // otherwise the clipboard owns it
    CloseClipboard();
    if (!placed) ThrowLastError("SetClipboardData");
}

DetailsWindow::Area DetailsWindowWin32::GraphArea() const {
    return {Scaled(kGraphWidth), Scaled(kGraphHeight), static_cast<int>(Dpi())};
}

void DetailsWindowWin32::SetGraph(const PixelBuffer& picture, const std::string& summary) {
    SetWindowTextW(Item(kSummary), Widen(summary).c_str());
    UniqueBitmap bitmap;
    if (picture.Width() > 0 && picture.Height() > 0) {
        // 24 bits a pixel: a 32-bit bitmap would be taken for one with alpha.
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bi.bmiHeader.biWidth = picture.Width();
        bi.bmiHeader.biHeight = -picture.Height();  // top row first
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 24;
        bi.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        bitmap.reset(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
        if (!bitmap) ThrowLastError("CreateDIBSection(graph)");
        const int stride = (picture.Width() * 3 + 3) & ~3;
        for (int y = 0; y < picture.Height(); ++y) {
            auto* row = static_cast<unsigned char*>(bits) + static_cast<ptrdiff_t>(y) * stride;
            const Colour* from = picture.Data() + static_cast<ptrdiff_t>(y) * picture.Width();
            for (int x = 0; x < picture.Width(); ++x) {
                const Colour p = from[x];  // 0x00BBGGRR
                row[3 * x] = static_cast<unsigned char>(p >> 16);
                row[3 * x + 1] = static_cast<unsigned char>(p >> 8);
                row[3 * x + 2] = static_cast<unsigned char>(p);
            }
        }
    }
    const auto previous = reinterpret_cast<HBITMAP>(
        SendMessageW(Item(kGraph), STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap.get())));
    if (previous && previous != graph_.get()) DeleteObject(previous);  // a copy the control made
    graph_ = std::move(bitmap);
    // The control takes the picture's size; the area keeps its place.
    const Area area = GraphArea();
    SetWindowPos(Item(kGraph), nullptr, 0, 0, area.width, area.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void DetailsWindowWin32::EnableGraph(bool enabled) {
    for (int id : {kDay, kWeek, kOpenFolder}) EnableWindow(Item(id), enabled);
}

GraphSpan DetailsWindowWin32::Span() const {
    return SendMessageW(Item(kWeek), BM_GETCHECK, 0, 0) == BST_CHECKED ? GraphSpan::Week : GraphSpan::Day;
}

void DetailsWindowWin32::OnNewDpi() { events_.OnGraphSpan(Span()); }

INT_PTR DetailsWindowWin32::OnDialogMessage(UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_TIMER:
        if (wParam == kTimerId) events_.OnDetailsTick();
        return TRUE;
    case WM_COMMAND:
        if (HIWORD(wParam) != BN_CLICKED) return FALSE;
        switch (LOWORD(wParam)) {
        case kCopy: events_.OnDetailsCopy(); break;
        case kDay:
        case kWeek: events_.OnGraphSpan(Span()); break;
        case kOpenFolder: events_.OnOpenLogFolder(); break;
        default: return FALSE;
        }
        return TRUE;
    default:
        return FALSE;
    }
}

std::unique_ptr<DetailsWindow> Win32DetailsWindows::Open(DetailsWindowEvents& events,
                                                         const std::vector<std::string>& labels) {
    auto window = std::make_unique<DetailsWindowWin32>(owner_, events, labels);
    window->Show();
    window->BringToFront();
    return window;
}

}  // namespace kavelo::win32
