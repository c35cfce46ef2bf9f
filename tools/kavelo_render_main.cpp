// kavelo-render: writes a picture of the gauge (a face, the whole window, the
// tray icons) to a PNG, a binary PPM or the golden text form.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "face_scene.h"
#include "graph_render.h"
#include "picture_io.h"

namespace {

using namespace kavelo;

const char kUsage[] =
    "usage: kavelo-render PICTURE [options] -o FILE\n"
    "\n"
    "Paints a picture of the Kavelo gauge with the program's own drawing code.\n"
    "\n"
    "PICTURE:\n"
    "  percent   the percentage face: --percent N, plug lit with --mains\n"
    "  time      the time face: --seconds S, and --percent N for the small text\n"
    "  black     the blank phase of an alert (face black, tray icons plain)\n"
    "  frame     the window frame alone, as round the \"Absente\" label\n"
    "  graph     the charge graph from a charge log (kavelo-render graph --help)\n"
    "\n"
    "Options:\n"
    "  --view V            face (default; window for frame): the visible image, 60x16 or 72x16\n"
    "                      canvas: the whole 72x16 canvas\n"
    "                      window: frame and face, 68x24 or 80x24\n"
    "                      tray: both tray icons, 32x16; tray-left, tray-right: one icon, 16x16\n"
    "  --icon-size S       tray icons of S x S, as the notification area asks for at its\n"
    "                      DPI (16 at 100 %%, 20, 24 at 150 %%, 28, 32 at 200 %%...)\n"
    "  --taskbar T         tray pictures that suit a dark or light taskbar: transparent\n"
    "                      (alpha kept in txt), laid on that taskbar's colour in png and ppm\n"
    "  --taskbar-colour C  that colour (default 1C1C1C dark, EEEEEE light)\n"
    "  --percent N         battery percentage 0-255 (default 57)\n"
    "  --seconds S         estimate in seconds; -1 unknown (8:88), -2 its blank phase (default 7500)\n"
    "  --mains             on mains power\n"
    "  --percent-mode      four-cell window for black and frame pictures on battery\n"
    "  --blink             paint with BlinkPhase set (an alert then leaves the tray plain)\n"
    "  --tray-frame F      animation frame 0-5 (A-F) the tray shows for an unknown estimate\n"
    "  --alert-percent N   percentage threshold (default %d)\n"
    "  --alert-minutes N   minutes threshold (default %d)\n"
    "  --normal-color C    colours as hex 0xBBGGRR (red in the low byte):\n"
    "  --alert-color C       normal %06X, alert %06X, tray %06X,\n"
    "  --tray-color C        plugged %06X, shadow %06X\n"
    "  --plugged-color C\n"
    "  --shadow-color C\n"
    "  --scale K           each pixel becomes K x K (default 1); the gauge window at\n"
    "                      k = DPI / 96 (rounded) is --view window --scale k\n"
    "  --format F          png, ppm (binary P6) or txt (golden text form);\n"
    "                      default from FILE's extension, else png\n"
    "  -o FILE             output file, - for standard output\n"
    "  --help              this text\n"
    "\n"
    "Examples:\n"
    "  kavelo-render percent --percent 5 --mains --view window --scale 6 -o plug.png\n"
    "  kavelo-render time --seconds -1 --tray-frame 2 --view tray -o frame-c.ppm\n"
    "  kavelo-render time --seconds 7500 --view tray --icon-size 24 -o tray-150.png\n";

[[noreturn]] void Fail(const std::string& message) {
    std::fprintf(stderr, "kavelo-render: %s\n(kavelo-render --help for usage)\n",
                 message.c_str());
    std::exit(2);
}

long Number(const std::string& option, const char* text, int base = 10) {
    char* end = nullptr;
    const long value = std::strtol(text, &end, base);
    if (end == text || *end != '\0') Fail(option + " needs a number, not '" + text + "'");
    return value;
}

bool EndsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// A transparent picture laid on a plain colour; its pixels are opaque or
// fully transparent.
PixelBuffer OnTaskbar(const PixelBuffer& picture, Colour taskbar) {
    PixelBuffer out(picture.Width(), picture.Height(), taskbar);
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x)
            if (const Colour c = picture.Pixel(x, y); c >> 24) out.SetPixel(x, y, c & 0xFFFFFF);
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "graph") return tools::RenderGraph(argc - 1, argv + 1);
    scene::Scene sc;
    scene::View view = scene::View::Face;
    bool viewGiven = false, faceGiven = false;
    int scale = 1;
    long taskbar = -1;  // the theme's own
    std::string format, output;

    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> const char* {
            if (i + 1 >= argc) Fail(arg + " needs a value");
            return argv[++i];
        };
        if (arg == "--help" || arg == "-h") {
            const scene::Scene d;  // the defaults
            std::printf(kUsage, int(d.alertPercent), int(d.alertMinutes), unsigned(d.normalColor),
                        unsigned(d.alertColor), unsigned(d.trayColor), unsigned(d.trayPlugedColor),
                        unsigned(d.trayShadowColor));
            return 0;
        } else if (arg == "--view") {
            if (!scene::ParseView(value(), view)) Fail("unknown view '" + std::string(argv[i]) + "'");
            viewGiven = true;
        } else if (arg == "--percent") {
            sc.percent = static_cast<int>(Number(arg, value()));
        } else if (arg == "--seconds") {
            sc.seconds = static_cast<int32_t>(Number(arg, value()));
        } else if (arg == "--mains") {
            sc.mains = true;
        } else if (arg == "--percent-mode") {
            sc.percentMode = true;
        } else if (arg == "--blink") {
            sc.blink = true;
        } else if (arg == "--tray-frame") {
            sc.trayFrame = static_cast<int>(Number(arg, value()));
        } else if (arg == "--icon-size") {
            sc.iconSize = static_cast<int>(Number(arg, value()));
        } else if (arg == "--taskbar") {
            const std::string t = value();
            if (t != "dark" && t != "light") Fail("--taskbar is dark or light");
            sc.trayTheme = t == "dark" ? TrayTheme::Dark : TrayTheme::Light;
        } else if (arg == "--taskbar-colour") {
            taskbar = Number(arg, value(), 16) & 0xFFFFFF;
        } else if (arg == "--alert-percent") {
            sc.alertPercent = static_cast<int32_t>(Number(arg, value()));
        } else if (arg == "--alert-minutes") {
            sc.alertMinutes = static_cast<int32_t>(Number(arg, value()));
        } else if (arg == "--normal-color") {
            sc.normalColor = static_cast<Colour>(Number(arg, value(), 16));
        } else if (arg == "--alert-color") {
            sc.alertColor = static_cast<Colour>(Number(arg, value(), 16));
        } else if (arg == "--tray-color") {
            sc.trayColor = static_cast<Colour>(Number(arg, value(), 16));
        } else if (arg == "--plugged-color") {
            sc.trayPlugedColor = static_cast<Colour>(Number(arg, value(), 16));
        } else if (arg == "--shadow-color") {
            sc.trayShadowColor = static_cast<Colour>(Number(arg, value(), 16));
        } else if (arg == "--scale") {
            scale = static_cast<int>(Number(arg, value()));
            if (scale < 1 || scale > 64) Fail("--scale must be 1 to 64");
        } else if (arg == "--format") {
            format = value();
        } else if (arg == "-o" || arg == "--output") {
            output = value();
        } else if (!arg.empty() && arg[0] != '-' && !faceGiven) {
            if (!scene::ParseFace(arg, sc.face)) Fail("unknown picture '" + arg + "'");
            faceGiven = true;
        } else {
            Fail("unexpected argument '" + arg + "'");
        }
    }
    if (!faceGiven) Fail("no PICTURE given");
    if (output.empty()) Fail("no output file given (-o FILE)");
    if (sc.face == scene::Face::Frame && !viewGiven) view = scene::View::Window;
    if (format.empty())
        format = EndsWith(output, ".ppm") ? "ppm" : EndsWith(output, ".txt") ? "txt" : "png";

    try {
        PixelBuffer picture = ScaleUp(scene::Render(sc, view).picture, scale);
        if (sc.trayTheme != TrayTheme::Classic && format != "txt")  // as Windows 11 draws its taskbars
            picture = OnTaskbar(picture, taskbar >= 0 ? Colour(taskbar) : sc.trayTheme == TrayTheme::Dark ? 0x1C1C1C : 0xEEEEEE);
        if (format == "png") io::WritePng(output, picture);
        else if (format == "ppm") io::WritePpm(output, picture);
        else if (format == "txt") io::WriteText(output, picture);
        else Fail("unknown format '" + format + "'");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kavelo-render: %s\n", e.what());
        return 1;
    }
    return 0;
}
