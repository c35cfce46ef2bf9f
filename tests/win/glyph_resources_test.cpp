// The glyph bitmaps as Kavelo.exe carries them (BITMAP resources, bare DIBs)
// decode to the same pixels as the bytes that the native build embeds.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/win32/glyph_resources_win32.h"
#include "render/bmp_reader.h"
#include "render/gauge_face.h"
#include "render/glyph_text.h"

namespace kavelo::win32 {
namespace {

struct ModuleDeleter {
    void operator()(HMODULE m) const { FreeLibrary(m); }
};
using ModuleHandle = std::unique_ptr<std::remove_pointer_t<HMODULE>, ModuleDeleter>;

// Kavelo.exe from the test's own directory, loaded for its resources only.
ModuleHandle LoadProgramResources() {
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string exe(path, n);
    exe = exe.substr(0, exe.find_last_of("\\/") + 1) + "Kavelo.exe";
    return ModuleHandle(LoadLibraryExA(
        exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
}

TEST(GlyphResources, ProgramResourcesMatchTheEmbeddedBitmaps) {
    const ModuleHandle program = LoadProgramResources();
    ASSERT_TRUE(program) << "Kavelo.exe not found beside the tests: build the Kavelo target";
    const ResourceGlyphSource resources(program.get());
    const EmbeddedGlyphSource embedded;
    for (const char* name : {"CHIFFRES", "GRANDS", "ONLINE", "OFFLINE"}) {
        const auto bytes = resources.Bytes(name);
        // windres keeps the bitmap without its 14-byte file header.
        EXPECT_EQ(bytes.size() + 14, embedded.Bytes(name).size()) << name;
        EXPECT_TRUE(ReadBmp(bytes) == ReadBmp(embedded.Bytes(name))) << name;
    }
    const GlyphStrips fromResources = LoadGlyphStrips(resources);
    const GlyphStrips fromEmbedded = LoadGlyphStrips(embedded);
    EXPECT_TRUE(fromResources.ChiffresBitmap == fromEmbedded.ChiffresBitmap);
    EXPECT_TRUE(fromResources.OnlineBitmap == fromEmbedded.OnlineBitmap);
    EXPECT_TRUE(fromResources.OfflineBitmap == fromEmbedded.OfflineBitmap);
    EXPECT_TRUE(fromResources.GrandsBitmap == fromEmbedded.GrandsBitmap);
}

struct BitmapDeleter {
    void operator()(HBITMAP b) const { DeleteObject(b); }
};
using BitmapHandle = std::unique_ptr<std::remove_pointer_t<HBITMAP>, BitmapDeleter>;
struct ScreenDc {
    HDC dc = GetDC(nullptr);
    ~ScreenDc() { ReleaseDC(nullptr, dc); }
};

// Windows' own decoder reads the resources as our reader does: same size,
// same pixels.
TEST(GlyphResources, WindowsDecodesThemAsOurReaderDoes) {
    const ModuleHandle program = LoadProgramResources();
    ASSERT_TRUE(program);
    const ResourceGlyphSource resources(program.get());
    for (const char* name : {"CHIFFRES", "GRANDS", "ONLINE", "OFFLINE"}) {
        const PixelBuffer ours = ReadBmp(resources.Bytes(name));
        const BitmapHandle bitmap(static_cast<HBITMAP>(
            LoadImageA(program.get(), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
        ASSERT_TRUE(bitmap) << name;
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = ours.Width();
        info.bmiHeader.biHeight = -ours.Height();  // top row first
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        std::vector<uint32_t> bgrx(size_t(ours.Width()) * ours.Height());
        ScreenDc screen;
        ASSERT_EQ(GetDIBits(screen.dc, bitmap.get(), 0, UINT(ours.Height()), bgrx.data(), &info,
                            DIB_RGB_COLORS),
                  ours.Height())
            << name;
        for (int y = 0; y < ours.Height(); ++y)
            for (int x = 0; x < ours.Width(); ++x) {
                const uint32_t v = bgrx[size_t(y) * ours.Width() + x];  // 0x00RRGGBB
                const Colour c = ((v >> 16) & 0xFF) | (v & 0xFF00) | ((v & 0xFF) << 16);
                ASSERT_EQ(c, ours.Pixel(x, y)) << name << " at " << x << "," << y;
            }
    }
}

TEST(GlyphResources, MissingBitmapIsAnError) {
    const ModuleHandle program = LoadProgramResources();
    ASSERT_TRUE(program);
    EXPECT_THROW(ResourceGlyphSource(program.get()).Bytes("NOSUCHBITMAP"), std::runtime_error);
}

}  // namespace
}  // namespace kavelo::win32
