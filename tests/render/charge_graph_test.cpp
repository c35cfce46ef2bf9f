#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "fakes/core_fakes.h"
#include "render/charge_graph.h"
#include "render/glyph_text.h"

namespace kavelo {
namespace {

int64_t At(double localHour) { return 1796770800 + static_cast<int64_t>(localHour * 3600); }  // 2026-12-09, UTC+1

// A planted day: charged on mains in the evening and closed, a discharge in
// the morning, a sleep, a charge on mains, then on battery until now (17:00).
std::vector<LogRow> PlantedDay() {
    std::vector<LogRow> rows;
    using E = LogEvent;
    for (auto [from, to, p0, p1, mains, first, last] : {std::tuple{-5., -1., 95, 100, true, E::Start, E::Stop},
                                                         {7., 11., 100, 60, false, E::Start, E::Sleep},
                                                         {12.5, 14., 59, 45, false, E::Wake, E::Change},
                                                         {14., 16., 45, 80, true, E::Change, E::Change}})
        for (int i = 0; i <= 10; ++i)
            rows.push_back({At(from + (to - from) * i / 10), p0 + (p1 - p0) * i / 10, mains,
                            i == 0 ? first : i == 10 ? last : E::Change, {}});
    rows.push_back({At(16.5), 77, false, LogEvent::Change, {}});
    return rows;
}

const PixelBuffer& Grands() {
    static const GlyphStrips strips = LoadGlyphStrips(EmbeddedGlyphSource());
    return strips.GrandsBitmap;
}

TEST(ChargeGraph, LineGapsAndMainsAtEveryScale) {
    fakes::FakeClock clock;
    clock.offsetMinutes = 60;
    // At a local hour (yesterday's below 0): a line, a shade; `week`: far enough from a change to be seen over 7 days.
    const struct { double hour; bool line, mains, week; } cases[] = {
        {-6, false, false, true}, {-3.5, true, true, true}, {3, false, false, true}, {9, true, false, true},
        {11.75, false, false, false}, {15, true, true, true}, {16.25, true, true, false}, {16.75, true, false, false}};
    for (int dpi : {96, 120, 144, 192}) {
        for (bool week : {false, true}) {
            const ChargeGraphView view{At(17), week, 75, false, dpi, 496 * dpi / 96, 120 * dpi / 96};
            const PixelBuffer pic = DrawChargeGraph(PlantedDay(), view, clock, Grands());
            const GraphArea a = ChargeGraphArea(view);
            ASSERT_TRUE(pic.Width() == view.width && pic.Height() == view.height);
            const double span = week ? 168 : 24;
            for (const auto& c : cases) {
                if (week && !c.week) continue;
                const int x = a.left + static_cast<int>((c.hour - (17 - span)) / span * (a.right - a.left));
                const PixelBuffer column = pic.Crop(x, a.top, 1, a.bottom - a.top);
                auto has = [&](Colour c) { return std::count(column.Data(), column.Data() + column.Height(), c) > 0; };
                EXPECT_TRUE(has(kGraphLine) == c.line && has(kGraphMains) == c.mains) << dpi << week << c.hour;
            }
            // Crisp: the palette only, and every stroke and digit k pixels thick.
            const int k = dpi < 144 ? 1 : dpi / 96;
            for (int y = 0; y < pic.Height(); ++y)
                for (int x = 0; x < pic.Width(); ++x) {
                    const Colour c = pic.Pixel(x, y);
                    ASSERT_TRUE(c == kGraphBackground || c == kGraphMains || c == kGraphGrid || c == kGraphText ||
                                c == kGraphLine);
                    bool inBlock = c != kGraphLine && c != kGraphText;  // some k x k block of c holds the pixel
                    for (int b = 0; b < k * k && !inBlock; ++b)
                        inBlock = pic.Crop(x - b % k, y - b / k, k, k) == PixelBuffer(k, k, c);
                    ASSERT_TRUE(inBlock) << dpi << " at " << x << "," << y;
                }
        }
    }
    // The charge now at the right end: its label's top half a digit above its height.
    const GraphArea a = ChargeGraphArea({});
    for (int percent : {-1, 0, 57, 100}) {
        const PixelBuffer pic = DrawChargeGraph({}, {At(17), false, percent, true, 96}, clock, Grands());
        int top = -1;
        for (int y = pic.Height() - 1; y >= 0; --y)
            for (int x = a.right; x < pic.Width(); ++x) top = pic.Pixel(x, y) == kGraphLine ? y : top;
        EXPECT_EQ(top, percent < 0 ? -1 : a.bottom - 1 - percent * (a.bottom - 1 - a.top) / 100 - 3) << percent;
    }
}

}  // namespace
}  // namespace kavelo
