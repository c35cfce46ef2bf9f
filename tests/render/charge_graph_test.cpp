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

TEST(ChargeGraph, LineGapsAndMainsAtEveryScale) {
    const GlyphStrips strips = LoadGlyphStrips(EmbeddedGlyphSource());
    fakes::FakeClock clock;
    clock.offsetMinutes = 60;
    // At a local hour (yesterday's below 0): a line, a shade; `week`: far enough from a change to be seen over 7 days.
    const struct { double hour; bool line, mains, week; } cases[] = {
        {-6, false, false, true}, {-3.5, true, true, true}, {3, false, false, true}, {9, true, false, true},
        {11.75, false, false, false}, {15, true, true, true}, {16.25, true, true, false}, {16.75, true, false, false}};
    for (int dpi : {96, 120, 144, 192}) {
        for (bool week : {false, true}) {
            const ChargeGraphView view{At(17), week, 75, false, dpi, 496 * dpi / 96, 120 * dpi / 96};
            const PixelBuffer pic = DrawChargeGraph(PlantedDay(), view, clock, strips.GrandsBitmap);
            const GraphArea a = ChargeGraphArea(view);
            ASSERT_TRUE(pic.Width() == view.width && pic.Height() == view.height);
            // The charge now, 75 %, labelled at the right end.
            const PixelBuffer label = pic.Crop(a.right, 0, view.width - a.right, view.height);
            EXPECT_GT(std::count(label.Data(), label.Data() + label.Width() * label.Height(), kGraphLine), 0);
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
}

}  // namespace
}  // namespace kavelo
