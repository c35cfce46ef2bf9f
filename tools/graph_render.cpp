#include "graph_render.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <iterator>
#include <string>

#include "core/charge_log.h"
#include "picture_io.h"
#include "render/charge_graph.h"
#include "render/glyph_text.h"

namespace kavelo::tools {
namespace {

const char kUsage[] =
    "usage: kavelo-render graph --log FILE [options] -o FILE.png\n"
    "\n"
    "Draws the charge graph of the \"Battery details\" window from a charge log.\n"
    "\n"
    "  --log FILE       the log (history.csv); lines that are not rows are skipped\n"
    "  --now TIME       the graph's right end, as the log writes times (default: the last row)\n"
    "  --week           the last 7 days (default: the last 24 hours)\n"
    "  --percent N      the charge now (default: the last row's); --mains: on mains now\n"
    "  --offset M       minutes from UTC to local time for the hour marks (default 0)\n"
    "  --dpi D          the monitor's DPI (default 96); --size WxH at 96 DPI (default 496x120)\n"
    "  -o FILE          the PNG to write\n";

// The local offset the hour marks use: one, given on the command line.
class FixedOffset final : public Clock {
public:
    explicit FixedOffset(int32_t minutes) : minutes_(minutes) {}
    LocalTime Now() override { return {}; }
    int32_t LocalOffsetMinutes(int64_t) override { return minutes_; }

private:
    int32_t minutes_;
};

[[noreturn]] void Fail(const std::string& message) {
    std::fprintf(stderr, "kavelo-render graph: %s\n\n%s", message.c_str(), kUsage);
    std::exit(2);
}

}  // namespace

int RenderGraph(int argc, char** argv) {
    std::string logPath, output, now;
    ChargeGraphView view;
    int percent = -2, offset = 0, width = 496, height = 120;
    bool mains = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&] { return i + 1 < argc ? std::string(argv[++i]) : (Fail(arg + " needs a value"), ""); };
        if (arg == "--log") logPath = value();
        else if (arg == "--now") now = value();
        else if (arg == "--week") view.week = true;
        else if (arg == "--percent") percent = std::atoi(value().c_str());
        else if (arg == "--mains") mains = true;
        else if (arg == "--offset") offset = std::atoi(value().c_str());
        else if (arg == "--dpi") view.dpi = std::atoi(value().c_str());
        else if (arg == "--size") std::sscanf(value().c_str(), "%dx%d", &width, &height);
        else if (arg == "-o") output = value();
        else if (arg == "--help") return std::printf("%s", kUsage), 0;
        else Fail("unexpected argument '" + arg + "'");
    }
    if (logPath.empty() || output.empty()) Fail("--log and -o are needed");
    if (view.dpi < 48 || view.dpi > 960) Fail("--dpi must be 48 to 960");
    std::ifstream in(logPath, std::ios::binary);
    if (!in) Fail("cannot read " + logPath);
    const ParsedLog log = ParseLog(std::string(std::istreambuf_iterator<char>(in), {}));
    LogRow nowRow = log.rows.empty() ? LogRow{} : log.rows.back();
    if (!now.empty() && !ParseLogRow(now + ",,battery,change,", nowRow)) Fail("--now: not a time like 2026-12-09T08:13:25Z");
    view.nowUtcSeconds = nowRow.utcSeconds;
    view.currentPercent = percent == -2 ? (log.rows.empty() ? -1 : log.rows.back().percent) : percent;
    view.onMains = mains || (percent == -2 && !log.rows.empty() && log.rows.back().onMains);
    view.width = width * view.dpi / 96;
    view.height = height * view.dpi / 96;
    FixedOffset clock(offset);
    try {
        const GlyphStrips strips = LoadGlyphStrips(EmbeddedGlyphSource());
        io::WritePng(output, DrawChargeGraph(log.rows, view, clock, strips.GrandsBitmap));
        std::printf("%s\n", ChargeSummary(log.rows, view.nowUtcSeconds - (view.week ? 7 : 1) * 86400,
                                          view.currentPercent, view.onMains, clock).c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kavelo-render graph: %s\n", e.what());
        return 1;
    }
    return 0;
}

}  // namespace kavelo::tools
