// TImplicitPlotter: a general relation F(x, y) = 0 traced row by row with Newton's method.
#include "ImplicitPlotter.h"

#include <cmath>

namespace kurvo {

TImplicitPlotter::Root TImplicitPlotter::NewtonSolveX(Extended x0, Extended y) {
    Root r;
    Extended x = x0, v = 0, slope = 0;
    bool diverged = false, converged = false;
    for (int i = 0; i < MaxNewtonIterations; ++i) {
        if (e_.stopRequested()) {
            r.stopped = true;
            return r;
        }
        // Evaluated without exceptions; a failure still ends the paint with its error.
        TParser& F = e_.Parser1;
        F.X = static_cast<double>(x);
        F.Y = static_cast<double>(y);
        v = F.valueOf(F.TryValue());
        F.X = static_cast<double>(x + 1e-7L);
        slope = (F.valueOf(F.TryValue()) - v) / 1e-7L;
        if (slope == 0) slope = 1e-6L;
        x = x - v / slope;
        if (std::fabs(v) < 1e-7L) {
            converged = true;
            break;
        }
        if (std::fabs(x) - std::fabs(x0) > 10) {
            diverged = true;
            break;
        }
    }
    r.x = x;
    r.slope = slope;
    // A search given up at the cap counts as not found, like a diverged one.
    r.found = converged || (diverged && std::fabs(v) <= 1e-7L);
    return r;
}

void TImplicitPlotter::PlotImplicitRelation(int slot) {
    QPainter& p = e_.canvas();
    const QColor colour = e_.graphColour(slot);
    p.setPen(QPen(colour, std::max(1, s_.graphLineThickness), Qt::SolidLine, Qt::RoundCap));
    e_.Feedback.setCursor(TPaintFeedback::Cursor::Hourglass);
    struct CursorBack {
        TPaintFeedback& host;
        ~CursorBack() { host.setCursor(TPaintFeedback::Cursor::Normal); }
    } cursorBack{e_.Feedback};

    const Extended rowStep = 8 * e_.View.PlotStep;
    const Extended startStep = 0.05L * e_.View.XRange;
    if (!(rowStep > 0) || !(startStep > 0) || !std::isfinite(rowStep)) return;
    int previousColumn = 0;
    Extended previousSlope = 0;
    QPoint pen(0, 0);
    QPointF penF(0, 0);
    auto signClass = [](Extended s) { return s < 0; };
    for (Extended y = e_.View.Ymin; y < e_.View.Ymax; y += rowStep) {
        for (Extended x0 = e_.View.Xmin; x0 < e_.View.Xmax; x0 += startStep) {
            if (e_.stopRequested()) return;
            Root r = NewtonSolveX(x0, y);
            if (r.stopped) return;
            if (r.found) {
                try {
                    int column = e_.WorldToPixelX(r.x), row = e_.WorldToPixelY(y);
                    QPoint point(column, row);
                    p.setPen(QPen(colour, std::max(1, s_.graphLineThickness), Qt::SolidLine, Qt::RoundCap));
                    if (std::abs(previousColumn - column) < 30 &&
                        signClass(r.slope) == signClass(previousSlope)) {
                        TPlotRenderer::TCurveHints smooth(e_, true);
                        // antialiased through the exact roots, crisp through their pixels
                        if (e_.Frame.options.antialiasedCurves)
                            p.drawLine(penF, QPointF(e_.View.ExactX(r.x), e_.View.ExactY(y)));
                        else
                            p.drawLine(pen, point);
                    }
                    pen = point;
                    penF = QPointF(e_.View.ExactX(r.x), e_.View.ExactY(y));
                    p.setPen(QPen(colour, 1));
                    p.drawPoint(point);
                    previousColumn = column;
                } catch (const EMathError&) {
                    // a root too far off the picture to map is not drawn
                }
            }
            previousSlope = r.slope;
            if (x0 + startStep == x0) break;
        }
        if (y + rowStep == y) break;
    }
    if (s_.FamilyPlotting) e_.stepFamily(e_.Parser1);
}

} // namespace kurvo
