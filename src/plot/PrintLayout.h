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
    QRect picture; ///< the plot area, stretched into it
    QRect title;   ///< the title line "y= ..." above the picture's left edge
    QRect credit;  ///< the credit line below the picture's right edge
};

/// The page layout for a plot area of `plot` pixels printed at `percent` (0..100, clamped) of a
/// printable page of `page` printer pixels. `titleSize` and `creditSize` are the measured sizes of the
/// two text lines. A band for the title is kept at the top of the page and one for the credit line at
/// the bottom; in the rest, the picture is centred: half its width is percent of half the width;
/// half its height is percent of the height divided by twice the plot area's whole aspect ratio (so a
/// plot area less than twice as wide as high fills the height at 100 percent), taken as at least 2 for
/// a plot area taller than wide. With square axes the picture is a square as wide as that width,
/// made smaller when the page has not the height for it.
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
