#include "render/charge_graph.h"

#include <algorithm>
#include <string>

#include "render/glyph_text.h"
#include "render/window_picture.h"

namespace kavelo {
namespace {

constexpr int64_t kMarkStep = 900;  // every local offset in use is a multiple of 15 minutes

struct Plot {
    int k;                         // strokes and digit pixels are k x k
    int left, top, right, bottom;  // the plotting area
    int64_t start, now;
    int X(int64_t t) const {
        return left + static_cast<int>((t - start) * (right - k - left) / (now - start));
    }
    int Y(int percent) const { return bottom - k - percent * (bottom - k - top) / 100; }
};

int TextWidth(size_t chars, int k) { return (kSmallPitch * static_cast<int>(chars) - 1) * k; }

// Digits and '%' from the small glyph strip: only its lit pixels, each a
// k x k block, so that the text stays crisp on any background.
void Text(PixelBuffer& canvas, const PixelBuffer& grands, const std::string& text, int x, int y, int k,
          Colour colour) {
    const Colour lit = grands.Pixel(0, 0);
    for (char c : text) {
        const int cell = c == '%' ? kSmallCellPercent : c - '0';
        for (int gy = 0; gy < kSmallHeight; ++gy)
            for (int gx = 0; gx < kSmallWidth; ++gx)
                if (grands.Pixel(gx, cell * kSmallHeight + gy) == lit)
                    canvas.FillRect(x + gx * k, y + gy * k, x + gx * k + k, y + gy * k + k, colour);
        x += kSmallPitch * k;
    }
}

// The line runs on after these rows, and reaches these from the row before.
bool RunsOn(LogEvent e) { return e == LogEvent::Start || e == LogEvent::Change || e == LogEvent::Wake; }
bool Reached(LogEvent e) { return e == LogEvent::Change || e == LogEvent::Sleep || e == LogEvent::Stop; }

void Marks(PixelBuffer& canvas, const Plot& plot, const ChargeGraphView& view, Clock& clock,
           const PixelBuffer& grands) {
    const int k = plot.k, labelTop = plot.bottom + 2 * k;
    const int64_t first = (plot.start + kMarkStep - 1) / kMarkStep * kMarkStep;
    for (int64_t t = first; t <= plot.now; t += kMarkStep) {
        const int64_t local = t + int64_t{clock.LocalOffsetMinutes(t * 1000)} * 60;
        const int64_t ofDay = (local % 86400 + 86400) % 86400;
        const int x = plot.X(t);
        std::string label;
        if (view.week) {
            if (ofDay == 0) canvas.FillRect(x, plot.top, x + k, plot.bottom, kGraphGrid);
            if (ofDay == 43200) label = FormatUtc(local).substr(8, 2);  // the day of the month, at noon
        } else if (ofDay % 3600 == 0) {
            canvas.FillRect(x, plot.bottom, x + k, plot.bottom + k, kGraphText);
            if (ofDay % 10800 == 0) {
                canvas.FillRect(x, plot.top, x + k, plot.bottom, kGraphGrid);
                label = FormatUtc(local).substr(11, 2);
            }
        }
        const int lx = x + k / 2 - TextWidth(2, k) / 2;
        if (!label.empty() && lx >= 0 && lx + TextWidth(2, k) <= canvas.Width())
            Text(canvas, grands, label, lx, labelTop, k, kGraphText);
    }
}

int Scaled(int length, int dpi) { return length * dpi / 96; }

}  // namespace

GraphArea ChargeGraphArea(const ChargeGraphView& view) {
    const auto d = [&](int length) { return Scaled(length, view.dpi); };
    const int k = WindowScale(view.dpi), glyph = kSmallHeight * k;
    return {d(4) + TextWidth(3, k) + d(4), d(2) + glyph / 2, view.width - d(4) - TextWidth(4, k) - d(4),
            view.height - d(3) - glyph - 2 * k};
}

PixelBuffer DrawChargeGraph(const std::vector<LogRow>& rows, const ChargeGraphView& view, Clock& clock,
                            const PixelBuffer& grands) {
    const auto d = [&](int length) { return Scaled(length, view.dpi); };
    const int k = WindowScale(view.dpi), w = view.width, h = view.height;
    const int glyph = kSmallHeight * k;
    const GraphArea area = ChargeGraphArea(view);
    if (area.right - area.left < 2 * k || area.bottom - area.top < 2 * k)
        return PixelBuffer(w, h, kGraphBackground);
    const Plot plot{k,
                    area.left,
                    area.top,
                    area.right,
                    area.bottom,
                    view.nowUtcSeconds - (view.week ? 7 : 1) * int64_t{86400},
                    view.nowUtcSeconds};
    PixelBuffer canvas(w, h, kGraphBackground);

    // The logged points in the file's order, then "now" as the gauge reads
    // it. Rows out of time order (the clock was set back) join nothing.
    const LogRow now{view.nowUtcSeconds, view.currentPercent, view.onMains, LogEvent::Change, {}};
    auto point = [&](size_t i) -> const LogRow& { return i < rows.size() ? rows[i] : now; };

    // Pairs of points joined by the line, each clipped to the span shown.
    struct Piece {
        int x0, y0, x1, y1;
        bool mains;
    };
    std::vector<Piece> pieces;
    for (size_t i = 1; i <= rows.size(); ++i) {
        const LogRow &a = point(i - 1), &b = point(i);
        if (!RunsOn(a.event) || !Reached(b.event) || a.percent < 0 || b.percent < 0) continue;
        const int64_t t0 = std::max(a.utcSeconds, plot.start), t1 = std::min(b.utcSeconds, plot.now);
        if (t0 > t1) continue;
        const int64_t len = std::max<int64_t>(b.utcSeconds - a.utcSeconds, 1);
        const int ya = plot.Y(a.percent), yb = plot.Y(b.percent);
        pieces.push_back({plot.X(t0), ya + static_cast<int>((yb - ya) * (t0 - a.utcSeconds) / len),
                          plot.X(t1), ya + static_cast<int>((yb - ya) * (t1 - a.utcSeconds) / len),
                          a.onMains});
    }

    for (const Piece& p : pieces)
        if (p.mains) canvas.FillRect(p.x0, plot.top, p.x1 + k, plot.bottom, kGraphMains);
    for (int p : {0, 50, 100}) {
        const int y = plot.Y(p);
        canvas.FillRect(plot.left, y, plot.right, y + k, kGraphGrid);
        const std::string label = std::to_string(p);
        Text(canvas, grands, label, plot.left - d(4) - TextWidth(label.size(), k), y + k / 2 - glyph / 2, k,
             kGraphText);
    }
    Marks(canvas, plot, view, clock, grands);
    for (const Piece& p : pieces) {
        canvas.Line(p.x0, p.y0, p.x1, p.y1, kGraphLine, k);
        canvas.FillRect(p.x1, p.y1, p.x1 + k, p.y1 + k, kGraphLine);
    }
    if (view.currentPercent >= 0) {
        const int y = std::clamp(plot.Y(view.currentPercent) + k / 2 - glyph / 2, 0, h - glyph);
        Text(canvas, grands, std::to_string(view.currentPercent) + "%", plot.right + d(4), y, k, kGraphLine);
    }
    return canvas;
}

}  // namespace kavelo
