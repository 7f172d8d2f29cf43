// TContourPlotter: a general relation F(x, y) = 0 drawn as smooth connected curves.
#include "ContourPlotter.h"

#include "ContourTracer.h"

#include <cmath>

namespace kurvo {

std::vector<std::vector<QPointF>> TContourPlotter::dashes(const std::vector<QPointF>& line, double on,
                                                          double off) {
    std::vector<std::vector<QPointF>> out;
    if (line.size() < 2 || !(on > 0)) return out;
    if (!(off > 0)) return {line};
    bool inDash = true;
    double phase = 0; // distance into the current dash or gap
    std::vector<QPointF> piece{line.front()};
    for (std::size_t i = 1; i < line.size(); ++i) {
        const QPointF a = line[i - 1], b = line[i];
        const double length = std::hypot(b.x() - a.x(), b.y() - a.y());
        double done = 0;
        // Walk the segment from one dash boundary to the next; every boundary is an exact phase.
        for (;;) {
            const double toBoundary = (inDash ? on : off) - phase;
            if (toBoundary > length - done) {
                phase += length - done;
                if (inDash) piece.push_back(b);
                break;
            }
            done += toBoundary;
            const QPointF p = length > 0 ? a + (b - a) * (done / length) : b;
            if (inDash) {
                piece.push_back(p);
                out.push_back(std::move(piece));
                piece.clear();
            } else {
                piece.assign(1, p);
            }
            inDash = !inDash;
            phase = 0;
        }
    }
    if (inDash && piece.size() >= 2) out.push_back(std::move(piece));
    return out;
}

void TContourPlotter::PlotContourRelation(int slot) {
    e_.Feedback.setCursor(TPaintFeedback::Cursor::Hourglass);
    struct CursorBack {
        TPaintFeedback& host;
        ~CursorBack() { host.setCursor(TPaintFeedback::Cursor::Normal); }
    } cursorBack{e_.Feedback};

    ContourGrid grid;
    grid.Xmin = static_cast<double>(e_.View.Xmin);
    grid.Xmax = static_cast<double>(e_.View.Xmax);
    grid.Ymin = static_cast<double>(e_.View.Ymin);
    grid.Ymax = static_cast<double>(e_.View.Ymax);
    grid.width = e_.View.PlotWidth;
    grid.height = e_.View.PlotHeight;
    grid.cellSize = CellSize;
    if (!(grid.Xmax > grid.Xmin) || !(grid.Ymax > grid.Ymin) || grid.width <= 0 || grid.height <= 0) return;

    TParser& parser = e_.Parser1;
    const ContourFunction F = [&parser](double x, double y) -> std::optional<double> {
        parser.X = x;
        parser.Y = y;
        // a point where the relation cannot be evaluated breaks the curve
        const EvalResult r = parser.TryValue();
        if (r.ok() && std::isfinite(r.value)) return r.value;
        return std::nullopt;
    };
    bool stopped = false;
    const ContourResult result =
        TraceContours(F, grid, [&] { return stopped = stopped || e_.stopRequested(); });

    QPainter& p = e_.canvas();
    TPlotRenderer::TCurveHints smooth(e_, true);
    p.setPen(QPen(e_.graphColour(slot), std::max(1, s_.graphLineThickness), Qt::SolidLine, Qt::RoundCap,
                  Qt::RoundJoin));
    auto stroke = [this](const std::vector<QPointF>& line) {
        e_.strokeCurve(line.data(), static_cast<int>(line.size()));
    };
    for (const auto& line : result.polylines) {
        if (e_.Document.Graphs[static_cast<std::size_t>(slot)].dashed()) {
            for (const auto& dash : dashes(line, 9, 7))
                stroke(dash);
        } else {
            stroke(line);
        }
    }
    if (s_.FamilyPlotting && !stopped) e_.stepFamily(e_.Parser1);
}

} // namespace kurvo
