// TPlotRenderer: draws one frame of the plot (frame, axes and graphs) through a painter it is given.
#pragma once

#include "ConstantFields.h"
#include "ExtensionSettings.h"
#include "GraphDocument.h"
#include "PlotHost.h"
#include "PlotParsers.h"
#include "PlotView.h"

#include <QColor>
#include <QPainter>

#include <string>
#include <vector>

namespace kurvo {

/// What one paint draws: which slots, whether the picture is cleared first, and the texts of the
/// window that the drawing depends on, taken before the paint starts.
struct TFrame {
    int firstSlot = 0;
    int lastSlot = -1;
    bool clear = false; ///< fill the picture with the background colour before drawing
    /// Axes and graphs are drawn too; without it a paint draws only the coordinate sets.
    bool plotRequested = true;
    std::string formula;  ///< the formula field's text as the paint began
    std::string relation; ///< the relation box ("y=", "y>", ...)
    /// Draw the background edge lines, the clearing and the axes (off: the graphs alone).
    bool frameAndAxes = true;
    std::vector<std::string> aliases;
    TExtensionSettings options; ///< antialiased curves, contour tracing of general relations
    /// Draw the legend last (only a frame that draws every graph can place it).
    bool legend = false;
};

/// A settings colour (0x00BBGGRR) as a QColor.
QColor settingsColour(std::int32_t bgr);

/// Draws a frame for a given view into a given painter: the screen picture, a saved picture, the
/// clipboard and the printer all come from here. It reads the drawing and evaluates with the
/// parsers; of the outside it knows only the paint feedback (Escape, cursor, beep).
/// The plotters work on it: it hands them the canvas, the mappings and the evaluators.
class TPlotRenderer {
  public:
    TPlotRenderer(TGraphDocument& document, TPlotParsers& parsers, QPainter& painter, const TPlotView& view,
                  const TFrame& frame, TPaintFeedback& feedback);

    /// The background edge lines, the clearing, the coordinate sets, axes and grid, then every slot
    /// of the frame.
    void render();

    const TSettingsRecord& Settings;
    TGraphDocument& Document;
    TPlotParsers& Parsers;
    TParser& Parser1;
    TParser& Parser2;
    TParserContext& Context;
    /// The view; while a slot is drawn its step is that slot's mode's (over x or over t).
    TPlotView View;
    const TFrame& Frame;
    TPaintFeedback& Feedback;

    QPainter& canvas() { return painter_; }
    QColor colour(std::int32_t bgr) const { return settingsColour(bgr); }
    QColor graphColour(int slot) const;

    int WorldToPixelX(Extended x) const { return View.WorldToPixelX(x); }
    int WorldToPixelY(Extended y) const { return View.WorldToPixelY(y); }
    Extended PixelToWorldX(Extended px) const { return View.PixelToWorldX(px); }
    Extended PixelToWorldY(Extended py) const { return View.PixelToWorldY(py); }

    /// The legend box over the finished drawing.
    void drawLegend();

    /// Adds the family increments to a parser's constant letters.
    void stepFamily(TParser& p) const { TPlotParsers::stepFamily(p, Settings); }
    /// Shows "Plot stopped" and restores the cursor when the user pressed Escape.
    bool stopRequested();
    /// true once the user pressed Escape during this paint.
    bool stopped() const { return stopped_; }
    /// In family mode, the member whose paint Escape stopped (-1: none was stopped).
    int stoppedMember() const { return stoppedSlot_; }

    /// While it lives, the canvas draws curves (smooth = true: antialiased when the option is on)
    /// or crisp lines and single pixels (smooth = false); the state before is restored at its end.
    /// An antialiased curve is shifted where needed so that a line through mapped pixels covers
    /// the same pixels as its crisp form.
    class TCurveHints {
      public:
        TCurveHints(TPlotRenderer& renderer, bool smooth);
        ~TCurveHints();
        TCurveHints(const TCurveHints&) = delete;
        TCurveHints& operator=(const TCurveHints&) = delete;

      private:
        TPlotRenderer& r_;
        bool before_;
    };

    /// Strokes a polyline with the canvas's pen. An antialiased pen wider than one pixel is
    /// stroked in short runs of points: the rasterizer's cost grows with the area one path spans,
    /// so a curve across a large picture as one path costs several times its runs.
    void strokeCurve(const QPoint* points, int count);
    void strokeCurve(const QPointF* points, int count);

  private:
    template <class Point> void strokeRuns(const Point* points, int count);
    void drawSlot(int slot);
    /// In family mode, gives the drawing parsers the constants of the member in `slot`.
    void setMemberConstants(int slot);

    void drawImplicit(int slot, const TGraphSlot& graph);
    void setSmooth(bool smooth);

    QPainter& painter_;
    std::vector<std::array<double, ConstantCount>> familyMembers_; ///< family mode: by slot
    bool stopped_ = false;
    int stoppedSlot_ = -1;
    bool smooth_ = false; // the canvas is antialiased and shifted by `shift_`
    qreal shift_ = 0;
};

} // namespace kurvo
