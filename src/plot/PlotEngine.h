// TPlotEngine: the plot's controller: the Plot action, Store formula, reading the view, the paint driver.
#pragma once

#include "GraphDocument.h"
#include "PlotHost.h"
#include "PlotParsers.h"
#include "PlotRenderer.h"
#include "PlotView.h"
#include "RangeFieldText.h"
#include "SettingsRecord.h"

#include <QColor>
#include <QImage>
#include <QPainter>

#include <optional>
#include <string>

namespace kurvo {

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
    /// Translates a formula text into slot `LastGraph`.
    void StoreFormula(const std::string& text);
    /// Reads the view from the range fields (each an expression) and recomputes the plot step.
    void ReadView();
    /// Applies the program's view of the mode to the translator and the user-function parsers.
    void syncModes() { Parsers.syncModes(Settings); }

    /// Draws every graph at the current view into another painter (a saved picture, the clipboard,
    /// a printer), the same way the screen picture is drawn. The range fields are not read.
    void renderTo(QPainter& painter, TPaintFeedback& feedback);

    QColor colour(std::int32_t bgr) const;
    QColor graphColour(int slot) const;
    /// The picture composed over the background colour, as the window shows it.
    QImage composedPicture() const;

  private:
    enum class Scope { Newest, All };
    /// The paint driver: reads the view, then draws the slots of `scope` into the plot picture.
    void PaintBox1Paint(Scope scope);
    void ensurePicture();
    void newPicture();
    TFrame frameFor(Scope scope) const;

    /// A transparent picture of `width` x `height` logical pixels at the device pixel ratio.
    QImage blankPicture(int width, int height) const;
    /// The picture's size in logical pixels.
    QSize pictureSize() const;

    int boxWidth_ = 0;
    int boxHeight_ = 0;
    qreal ratio_ = 1;
    int pictureSteps_ = 0;                 // the plot-step count the picture was drawn with
    std::optional<TPlotView> pictureView_; // the view the picture was drawn at
};

} // namespace kurvo
