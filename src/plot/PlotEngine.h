// TPlotEngine: the plot's controller: the Plot action, Store formula, reading the view, the paint driver.
#pragma once

#include "AutoScale.h"
#include "DrawingHistory.h"
#include "Errors.h"
#include "GraphDocument.h"
#include "PlotHost.h"
#include "PlotParsers.h"
#include "PlotRenderer.h"
#include "PlotView.h"
#include "RangeFieldText.h"
#include "Readout.h"
#include "SettingsRecord.h"

#include <QColor>
#include <QImage>
#include <QPainter>

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace kurvo {

/// A range field or the plot-step field holds what no paint can use: the message names the field,
/// and the view stays as it was. Shown as the conversion error it is.
class ERefusedView : public EConvertError {
  public:
    using EConvertError::EConvertError;
};

/// The plotting engine behind the main window. It owns the drawing (`Document`), the evaluators
/// (`Parsers`) and the plot picture, runs the operations that change them, and has the picture
/// drawn by `TPlotRenderer`. Everything it needs from the window comes through the host; the settings
/// record is the program's one settings object.
class TPlotEngine {
  public:
    static constexpr int SlotCount = TGraphDocument::SlotCount;
    static constexpr std::size_t MaxFormulaLength = TGraphDocument::MaxFormulaLength;

    TPlotEngine(TSettingsRecord& settings, TPlotHost& host);
    TPlotEngine(const TPlotEngine&) = delete;
    TPlotEngine& operator=(const TPlotEngine&) = delete;

    TSettingsRecord& Settings;
    TPlotHost& Host;
    TGraphDocument Document;
    /// The drawing's undo and redo steps and its saved mark. Every operation below that changes the
    /// drawing names its step; the window commits the steps after each command.
    TDrawingHistory History{Document, Host};
    TPlotParsers Parsers;

    QImage PlotPicture;
    int PlotWidth = 0;
    int PlotHeight = 0;
    /// The options beyond the settings record (antialiased curves, smooth implicit curves).
    TExtensionSettings Options;

    // ---- drawing area -------------------------------------------------------------------------------
    /// The paint box was created or resized: a new transparent picture of the box's width and its
    /// height plus 22 rows; `PlotHeight` holds that taller value until the next paint.
    void setPaintBoxSize(int width, int height);
    int paintBoxWidth() const { return boxWidth_; }
    int paintBoxHeight() const { return boxHeight_; }
    /// The screen's device pixels per logical pixel: the picture holds that many pixels per plot
    /// pixel and is drawn as sharply, while `PlotWidth`, `PlotHeight` and every mapping stay in
    /// logical pixels. A change makes a new picture, as a resize does.
    void setDevicePixelRatio(qreal ratio);
    qreal devicePixelRatio() const { return ratio_; }

    // ---- world and pixels ---------------------------------------------------------------------------
    /// The view of the settings at the current picture size.
    TPlotView currentView() const;
    int WorldToPixelX(Extended x) const { return currentView().WorldToPixelX(x); }
    int WorldToPixelY(Extended y) const { return currentView().WorldToPixelY(y); }
    Extended PixelToWorldX(Extended px) const { return currentView().PixelToWorldX(px); }
    Extended PixelToWorldY(Extended py) const { return currentView().PixelToWorldY(py); }

    // ---- operations ---------------------------------------------------------------------------------
    /// Toolbar "Plot Graph", menu "&Plot Graph", Enter in the formula field: stores the formula in the
    /// next slot and draws it. When the range fields or the plot step changed since the picture was
    /// drawn, every graph is drawn again at the new view.
    void PlotAction();
    /// Draws every graph again at the view of the range fields, on a cleared picture (first display,
    /// resize, and every operation that changes the view).
    void replotAll();
    /// After the constants changed from `before`: every graph takes the changed values (a graph
    /// whose formula does not use a letter draws the same with any value of it), a family too.
    void takeChangedConstants(const TConstantValues& before);
    /// Translates a formula text into slot `LastGraph`.
    void StoreFormula(const std::string& text);
    /// Reads the view from the range fields (each an expression) and recomputes the plot step.
    /// Raises ERefusedView, naming the field, when a field cannot be read or a range is empty or
    /// reversed, or the plot step is not a whole number from MinPlotStep to MaxPlotStep.
    void ReadView();
    /// Applies the program's view of the mode to the translator and the user-function parsers.
    void syncModes() { Parsers.syncModes(Settings); }

    // ---- coordinate sets -----------------------------------------------------------------------------
    /// A paint with a plot request but no Plot action (after an import): reads the view, then draws
    /// the coordinate sets, axes and, while the formula field is not empty, the newest graph over
    /// the picture.
    void paintPlotRequested() { PaintBox1Paint(Scope::Newest); }
    /// The paint without a plot request: only the coordinate sets, over the picture at the view it
    /// was drawn at.
    void paintCoordinateSets();

    /// Draws every graph at the current view into another painter (an SVG or PDF document, a
    /// printed page), the same way the screen picture is drawn, in plot-area pixels clipped to the
    /// plot area: scale the painter to place it. The range fields are not read. A graph whose paint
    /// fails (the error was shown when it was plotted) leaves the others drawn.
    void renderTo(QPainter& painter, TPaintFeedback& feedback);
    /// The plot area the paints draw: the paint box, square when the axes are square.
    QSize plotAreaSize() const;

    // ---- families (PlotEngineFamily.cpp) --------------------------------------------------------------
    /// The families dialog's fields read as a family that fits the graph slots (see readFamilyFields),
    /// with the translator's decimal separator.
    TFamilyCheck checkFamily(const TFamilyFields& fields) const;
    /// OK of the families dialog: stores the formula field's formula, fills slots 0..N-1 with it,
    /// turns family mode on and draws member k with every constant c at c + k * step(c), over the
    /// picture. The constants themselves are unchanged afterwards, also when the drawing fails.
    void PlotFamily(const TFamily& family);
    /// The redraw of every operation that changes the view (zoom, move, square axes, a graph file):
    /// in family mode the family again, from the families dialog's current fields and the formula
    /// field, on a cleared picture; otherwise replotAll. Fields that no longer make a family are
    /// reported and the family drawn last is drawn again.
    void replotFamilyOrAll();

    QColor colour(std::int32_t bgr) const;
    QColor graphColour(int slot) const;
    /// The picture composed over the background colour, as the window shows it.
    QImage composedPicture() const;

    // ---- exploring the view (PlotEngineView.cpp) -------------------------------------------------------
    /// The world rectangle and t range of a view, as the range fields hold it.
    struct TViewBox {
        Extended Xmin = 0, Xmax = 0, Ymin = 0, Ymax = 0, Tmin = 0, Tmax = 0;
    };
    /// Whether the range fields can hold this rectangle so that every paint can map it: finite,
    /// each range positive and still positive after the fields' texts are cut to 8 characters.
    static bool viewIsMappable(Extended xmin, Extended xmax, Extended ymin, Extended ymax);

    /// Fits the view to the newest graph (automatic y-scaling) and shows it in the range fields. When an
    /// implicit relation has no point in the view the user is asked for a wider domain; each Yes
    /// doubles the view about the origin and fits again.
    TAutoScale::Outcome fitView();
    /// "Zoom out": the x and y bounds doubled about the origin (also t in polar mode), the fit when
    /// automatic y-scaling is on, then every graph drawn again. Undoable. False when the doubled view
    /// could not be drawn (nothing changes).
    bool ZoomOut();
    /// The zoom box dragged from pixel (x0, y0) to (x1, y1) becomes the view. A box dragged up or to
    /// the left, one smaller than 3 pixels on a side, or one too small to map changes nothing.
    bool zoomBox(int x0, int y0, int x1, int y1);
    /// The view frame moved by a drag of (dx, dy) pixels (right and down positive).
    bool moveView(int dx, int dy);
    /// Zooms about a world point: `factor` > 1 zooms in (ranges divided by it).
    bool zoomAbout(Extended wx, Extended wy, Extended factor);
    /// A wheel turn of `notches` at pixel (X, Y): 1.25 a notch, in for positive notches, about the
    /// world point under the pointer. A notch back at the same place returns exactly to the view
    /// before. Without `newGesture` the turn joins the previous wheel step of the history.
    bool wheelZoom(int X, int Y, int notches, bool newGesture);
    /// "Equal scale": the y range set about its centre so a unit is as long on both axes.
    bool EqualScale();
    /// Shows a view (the default view of the settings, for example). Undoable.
    bool setView(const TViewBox& box);
    /// Undo and Redo: one step of the history back or forward (the graphs, the view in the range
    /// fields, the modes, the formula field), the evaluators set for its mode. Nothing is drawn: the
    /// caller loads the mode's lists and then draws every graph (replotAll). False when there is
    /// no step.
    bool undo();
    bool redo();
    /// The pointer readout over the view of the picture on screen.
    TReadout readout();
    /// Zoom factor of one wheel notch.
    static constexpr Extended WheelFactor = 1.25L;

  private:
    enum class Scope { Newest, All };
    /// The one place where a view operation redraws (zoom out, zoom box, move, wheel, scale).
    void redrawAfterViewChange();
    /// Reads the range fields as a paint does, leaving the picture's record of them alone.
    void readViewKeepingPicture();
    /// Writes the view of the settings into the range fields (t only where shown).
    void showViewInFields();
    /// Checks and shows a new rectangle.
    bool applyView(Extended xmin, Extended xmax, Extended ymin, Extended ymax);
    /// After an undo or redo: the restored view in the fields, the modes in the evaluators.
    void afterHistoryStep();
    /// Doubles the view about the origin (and t in polar mode); false when it cannot be drawn.
    bool doubleView();
    /// Parser1 (and Parser2 for a pair) take the newest graph, for a fit.
    void prepareFit();
    std::array<std::string, 6> fieldTexts() const;
    void setFieldTexts(const std::array<std::string, 6>& texts);

    struct WheelStep {
        std::array<std::string, 6> before, after;
        int X = 0, Y = 0, direction = 0;
    };
    std::vector<WheelStep> wheelSteps_;
    /// The paint driver: reads the view, then draws the slots of `scope` into the plot picture.
    void PaintBox1Paint(Scope scope);
    /// After Escape stopped member `lastMember` of a family: members 0..lastMember stay as graphs.
    void endStoppedFamily(int lastMember);
    void ensurePicture();
    /// With automatic y-scaling the coordinate sets choose the view: range fields, axis names.
    void fitViewToDataSets();
    void newPicture();
    TFrame frameFor(Scope scope) const;
    void paintFamily(const TFamily& family, Scope scope);

    /// A transparent picture of `width` x `height` logical pixels at the device pixel ratio.
    QImage blankPicture(int width, int height) const;
    /// The picture's size in logical pixels.
    QSize pictureSize() const;

    int boxWidth_ = 0;
    int boxHeight_ = 0;
    qreal ratio_ = 1;
    int pictureSteps_ = 0;                 // the plot-step count the picture was drawn with
    std::optional<TPlotView> pictureView_; // the view the picture was drawn at
    std::size_t pictureSets_ = 0;          // the coordinate sets the picture shows
};

} // namespace kurvo
