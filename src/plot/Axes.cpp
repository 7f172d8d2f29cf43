// TAxesPainter: grid lines, minor divisions, major ticks with numbers, the axes, arrowheads and names.
#include "Axes.h"

#include "Cp1252.h"
#include "NumberText.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPolygon>

#include <cmath>
#include <numbers>

namespace kurvo {

namespace {

constexpr Extended PiX = std::numbers::pi_v<long double>;

int nearest(Extended v) {
    Extended r = std::nearbyint(v);
    if (!(r > -1e9L && r < 1e9L)) return r < 0 ? -1000000000 : 1000000000; // far off the picture
    return static_cast<int>(r);
}

/// Where an axis runs, in pixels from the low edge of the `size` pixels that show min..max: at 0
/// when 0 is in view, else 10 pixels inside the edge nearer to 0.
int axisOffset(Extended min, Extended max, Extended range, int size) {
    if (max >= 0 && min > 0) return 10;
    if (max >= 0) return nearest(-min * size / range);
    return size - 10;
}

/// The integer part, decreased by 1 for negative values (so -0.5 gives -1 and -1 gives -2).
Extended floorQuirk(Extended v) {
    Extended t = std::trunc(v);
    return v < 0 ? t - 1 : t;
}

} // namespace

TickSpacing tickSpacing(Extended lo, Extended hi, bool compute, bool pi) {
    Extended b = 2;
    int e = 0;
    if (compute) {
        Extended q = (hi - lo) * 0.25L;
        Extended l = std::log10(q);
        if (std::isfinite(l)) {
            e = static_cast<int>(std::clamp(floorQuirk(l), -4900.0L, 4900.0L));
            Extended m = q / std::pow(10.0L, static_cast<Extended>(e));
            b = 2;
            if (m >= 4) b = 4;
            if (m >= 10) b = 10;
        }
        if (pi) b = PiX;
    }
    TickSpacing sp;
    // 1, 2 or 5 (or pi/2) times a power of ten, formed by repeated multiplication or division.
    Extended s = b / 2;
    for (int k = 0; k < std::abs(e); ++k)
        s = e > 0 ? s * 10 : s / 10;
    sp.major = s;
    Extended k = floorQuirk(-lo / s);
    sp.first = -(k + 1) * s;
    Extended power = 1;
    for (int i = 0; i < std::abs(e); ++i)
        power = e > 0 ? power * 10 : power / 10;
    Extended f = b / 2;
    Extended minor;
    if (pi && compute)
        minor = s * 0.1L;
    else if (f == 1)
        minor = power * 0.1L;
    else if (f == 2)
        minor = power * 0.5L;
    else
        minor = power;
    if (minor == s * 0.1L) minor = s * 0.2L;
    sp.minor = minor;
    return sp;
}

void TAxesPainter::computePositions() {
    const int W = e_.View.PlotWidth, H = e_.View.PlotHeight;
    sx_ = W / e_.View.XRange;
    ox_ = -e_.View.Xmin * sx_;
    sy_ = H / e_.View.YRange;
    oy_ = -e_.View.Ymin * sy_;
    h_ = axisOffset(e_.View.Ymin, e_.View.Ymax, e_.View.YRange, H);
    c_ = axisOffset(e_.View.Xmin, e_.View.Xmax, e_.View.XRange, W);
}

void TAxesPainter::draw() {
    computePositions();
    QFont font(QString::fromStdString(cp1252ToUtf8(s_.fontName)));
    font.setPointSize(std::clamp(s_.fontSize, 1, 200));
    // Labels are placed with the metrics of the plot picture's resolution. A device of another
    // resolution (a printer, a PDF) gets the font scaled so the text keeps its size in plot pixels.
    metrics_.emplace(font);
    const int pictureDpi = QImage(1, 1, QImage::Format_RGB32).logicalDpiY();
    const QPaintDevice* device = e_.canvas().device();
    if (device && device->logicalDpiY() != pictureDpi && device->logicalDpiY() > 0)
        font.setPointSizeF(font.pointSizeF() * pictureDpi / device->logicalDpiY());
    e_.canvas().setFont(font);
    drawAxisTicks(true);
    drawAxisTicks(false);
    drawAxes();
}

void TAxesPainter::axisPen() {
    e_.canvas().setPen(
        QPen(e_.colour(s_.axesColour), std::max(1, s_.axisLineThickness), Qt::SolidLine, Qt::FlatCap));
}

void TAxesPainter::gridPen() {
    e_.canvas().setPen(
        QPen(e_.colour(s_.gridColour), std::max(1, s_.gridLineThickness), Qt::SolidLine, Qt::FlatCap));
}

void TAxesPainter::drawText(int left, int top, const QString& text) {
    QPainter& p = e_.canvas();
    p.setPen(e_.colour(s_.fontColour));
    p.drawText(left, top + metrics_->ascent(), text);
    labels_.push_back({text, QRect(left, top, metrics_->horizontalAdvance(text), metrics_->height())});
}

void TAxesPainter::drawAxisTicks(bool xAxis) {
    const bool square = std::fabs(e_.View.YRange / e_.View.XRange -
                                  static_cast<Extended>(e_.View.PlotHeight) / e_.View.PlotWidth) <= 1e-6L;
    Extended lo = xAxis ? e_.View.Xmin : e_.View.Ymin;
    Extended hi = xAxis ? e_.View.Xmax : e_.View.Ymax;
    TickSpacing sp = tickSpacing(lo, hi, xAxis || !square, xAxis && s_.piAxis);

    // More than one major tick per pixel is an unreadable smear (a square view of y from -1E9 to 1E9
    // keeps step 1): such an axis gets no ticks, grid or numbers rather than millions of lines.
    const int extent = xAxis ? e_.View.PlotWidth : e_.View.PlotHeight;
    if (!(sp.major > 0) || (hi - sp.first) / sp.major > extent) return;

    for (Extended t = sp.first; t < hi; t += sp.major) {
        if (xAxis)
            drawTickGroupX(t, sp);
        else
            drawTickGroupY(t, sp);
        if (t + sp.major == t) break; // the step no longer moves t
    }
}

void TAxesPainter::drawTickGroupX(Extended t, const TickSpacing& sp) {
    QPainter& p = e_.canvas();
    const int W = e_.View.PlotWidth, H = e_.View.PlotHeight;
    const int row = H - h_;
    const bool minorsFit = sp.major / sp.minor <= W; // never more minor marks than pixels
    if (minorsFit && sp.minor > 0) {
        for (Extended r = t; r < t + sp.major; r += sp.minor) {
            int ur = nearest(sx_ * r + ox_);
            if (s_.showGrid && !s_.largeGrid) {
                gridPen();
                p.drawLine(ur, 0, ur, H);
            }
            if (s_.minorAxisDivisions) {
                axisPen();
                p.drawLine(ur, row - 4, ur, row + 4);
            }
            if (r + sp.minor == r) break;
        }
    }
    Extended uExact = sx_ * t + ox_;
    if (!(uExact > 0 && uExact < W)) return;
    int u = nearest(uExact);
    if (s_.showGrid) {
        gridPen();
        p.drawLine(u, 0, u, H);
    }
    if (uExact < W - 12) {
        axisPen();
        p.drawLine(u, row - 8, u, row + 8);
    }
    if (uExact > 12 && uExact < W - 12 && sp.minor < std::fabs(t) && s_.axisMarkers) {
        QString text = s_.piAxis ? QString::fromStdString(formatGeneral(t / PiX) + "pi")
                                 : QString::fromStdString(formatGeneral(t));
        int width = metrics_->horizontalAdvance(text);
        int top = h_ > 10 ? row + 8 : row - 20;
        drawText(u - width / 2, top, text);
    }
}

void TAxesPainter::drawTickGroupY(Extended t, const TickSpacing& sp) {
    QPainter& p = e_.canvas();
    const int W = e_.View.PlotWidth, H = e_.View.PlotHeight;
    const bool minorsFit = sp.major / sp.minor <= H;
    if (minorsFit && sp.minor > 0) {
        for (Extended r = t; r < t + sp.major; r += sp.minor) {
            int rowR = H - nearest(sy_ * r + oy_);
            if (s_.showGrid && !s_.largeGrid) {
                gridPen();
                p.drawLine(0, rowR, W, rowR);
            }
            if (s_.minorAxisDivisions && rowR > 10 && rowR < H) {
                axisPen();
                p.drawLine(c_ - 4, rowR, c_ + 4, rowR);
            }
            if (r + sp.minor == r) break;
        }
    }
    Extended height = sy_ * t + oy_;
    int row = H - nearest(height);
    if (height < H - 12) {
        if (s_.showGrid) {
            gridPen();
            p.drawLine(0, row, W, row);
        }
        if (height > 10) {
            axisPen();
            p.drawLine(c_ - 8, row, c_ + 8, row);
        }
    }
    if (height > 12 && height < H - 12 && sp.minor < std::fabs(t) && s_.axisMarkers) {
        QString text = QString::fromStdString(formatGeneral(t));
        int width = metrics_->horizontalAdvance(text);
        int top = row - metrics_->height() / 2;
        int left = c_ > 10 ? c_ - width - 12 : c_ + width;
        drawText(left, top, text);
    }
}

void TAxesPainter::drawAxes() {
    QPainter& p = e_.canvas();
    const int W = e_.View.PlotWidth, H = e_.View.PlotHeight;
    const int r = H - h_;
    const QColor axes = e_.colour(s_.axesColour);
    const int width = std::max(1, s_.axisLineThickness);

    bool xDashed = e_.View.Ymin > 0 || e_.View.Ymax < 0;
    p.setPen(QPen(axes, width, xDashed ? Qt::DashLine : Qt::SolidLine, Qt::FlatCap));
    p.drawLine(0, r, W - 10, r);
    if (s_.axisLabels) {
        auto name = QString::fromStdString(cp1252ToUtf8(s_.XAxisName));
        drawText(W - s_.fontSize * static_cast<int>(s_.XAxisName.size()) - 10, r - 15, name);
    }

    bool yDashed = e_.View.Xmin > 0 || e_.View.Xmax < 0;
    p.setPen(QPen(axes, width, yDashed ? Qt::DashLine : Qt::SolidLine, Qt::FlatCap));
    p.drawLine(c_, 10, c_, H);
    if (s_.axisLabels) {
        auto name = QString::fromStdString(cp1252ToUtf8(s_.YAxisName));
        // Once, also when the axis is pinned to an edge of the view (drawn dashed there).
        drawText(c_ + 20, 5, name);
    }

    p.setPen(QPen(axes, 1, Qt::SolidLine));
    p.setBrush(axes);
    p.drawPolygon(QPolygon({QPoint(W - 10, r + 5), QPoint(W - 10, r - 5), QPoint(W - 5, r)}));
    p.drawPolygon(QPolygon({QPoint(c_ - 5, 10), QPoint(c_ + 5, 10), QPoint(c_, 5)}));
    p.setBrush(Qt::NoBrush);
}

} // namespace kurvo
