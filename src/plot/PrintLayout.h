// The printed page: where the plot, its title and the credit line go, and drawing them on a page.
#pragma once

#include "PlotEngine.h"

#include <QPainter>
#include <QRect>
#include <QSize>
#include <QString>

namespace kurvo {

/// The rectangles of a printed page, in printer pixels.
struct TPrintLayout {
    QRect picture; ///< the plot area, scaled into it with its aspect ratio kept
    QRect title;   ///< the title line "y= ..." above the picture's left edge
    QRect credit;  ///< the credit line below the picture's right edge
};

/// The page layout for a plot area of `plot` pixels printed at `percent` (0..100, clamped) of a
/// printable page of `page` printer pixels. `titleSize` and `creditSize` are the measured sizes of the
/// two text lines. A band for the title is kept at the top of the page and one for the credit line at
/// the bottom. The percentage gives a box of that share of the page's width and of the height between
/// the bands; the picture is the largest rectangle of the plot area's shape (a square with square
/// axes) that fits in the box, centred in the area, so the printed plot is never stretched.
TPrintLayout printLayout(QSize page, QSize plot, int percent, bool squareAxes, QSize titleSize,
                         QSize creditSize);

/// The credit line printed under the picture.
QString printCredit();
/// The title printed above the picture: "y= " and the formula of the last graph as the user typed
/// it (nothing after "y= " while there is no graph).
QString printTitle(const TPlotEngine& engine);

/// The layout of a page of `page` pixels of `device` for the engine's plot, its title and credit line
/// measured in the device's fonts.
TPrintLayout pageLayout(const TPlotEngine& engine, const QPaintDevice& device, QSize page, int percent);

/// Draws one page on `painter` (begun on a printer or any paged device whose printable page is
/// `page` device pixels): the plot drawn as vectors by the engine's paint code into the layout's
/// picture rectangle, the title in twice the plot font's size and the credit line in its size.
void drawPrintPage(TPlotEngine& engine, QPainter& painter, QSize page, int percent);

} // namespace kurvo
