// TPlotEngine: the graph slots, view, flags, parsers and plot picture, the Plot action and the paint driver.
#pragma once

#include "FormulaTrans.h"
#include "Parser.h"
#include "PlotHost.h"
#include "SettingsRecord.h"

#include <QColor>
#include <QImage>
#include <QPainter>

#include <array>
#include <memory>
#include <optional>
#include <string>

namespace kurvo {

using Extended = long double;

/// The plotting engine behind the main window: it owns the graph slots and plot state, runs the Plot
/// action and the paint driver, and draws into `PlotPicture` only. Everything it needs from the window
/// comes through the host; the settings record is the program's one settings object.
class TPlotEngine {
  public:
    static constexpr int SlotCount = 100;
    static constexpr std::size_t MaxFormulaLength = 255;

    TPlotEngine(TSettingsRecord& settings, TPlotHost& host);
    ~TPlotEngine();
    TPlotEngine(const TPlotEngine&) = delete;
    TPlotEngine& operator=(const TPlotEngine&) = delete;

    // ---- state --------------------------------------------------------------------------------------
    TSettingsRecord& Settings;
    TPlotHost& Host;

    std::array<std::string, SlotCount> UserFormulas;
    std::array<std::string, SlotCount> ParsedFormulas;
    int FamilyLastGraph = 0;

    bool PlotRequested = false;
    bool ReplotAll = false;
    bool DataSetPlotting = false;
    bool ExpressionReady = false;
    int ImplicitRelation = 4; // 0 ">", 1 ">=", 2 "<", 3 "<=", 4 "="
    bool DashedBoundary = false;

    Extended XRange = 0;
    Extended YRange = 0;

    TSettingsRecord UndoSnapshot;

    TParserContext Context; // markers, user functions, mode
    TParser Parser1, Parser2, Parser3, Parser4, SpareParser;
    std::array<std::unique_ptr<TParser>, 7> UserFunctionParser;
    TFormulaTrans Translator;

    QImage PlotPicture;
    int PlotWidth = 0;
    int PlotHeight = 0;

    // ---- drawing area -------------------------------------------------------------------------------
    /// The paint box was created or resized: a new transparent picture of the box's width and its
    /// height plus 22 rows; `PlotHeight` holds that taller value until the next paint.
    void setPaintBoxSize(int width, int height);
    int paintBoxWidth() const { return boxWidth_; }
    int paintBoxHeight() const { return boxHeight_; }

    // ---- world and pixels ---------------------------------------------------------------------------
    /// Nearest pixel (halves to even). Raises EInvalidOp when the pixel lies outside 32-bit range,
    /// as the hardware's integer store did.
    int WorldToPixelX(Extended x) const;
    int WorldToPixelY(Extended y) const;
    Extended PixelToWorldX(Extended px) const;
    Extended PixelToWorldY(Extended py) const;

    // ---- operations ---------------------------------------------------------------------------------
    /// Toolbar "Plot Graph", menu "&Plot Graph", Enter in the formula field.
    void PlotAction();
    /// Translates a formula text into slot `LastGraph`.
    void StoreFormula(const std::string& text);
    /// Reads the view from the range fields (each an expression) and recomputes the plot step.
    void ReadView();
    /// The paint driver; also run directly after setting `PlotRequested`.
    void PaintBox1Paint();
    /// Copies the constants into a parser's constant letters.
    void copyConstants(TParser& p) const;
    /// Adds the family increments to a parser's constant letters.
    void stepFamily(TParser& p) const;
    /// Applies the program's view of the mode to the translator and the user-function parsers.
    void syncModes();

    /// Shows "Plot stopped" and restores the cursor when the user pressed Escape.
    bool stopRequested();

    // ---- painting helpers for the plotters ------------------------------------------------------------
    QPainter& canvas() { return *painter_; }
    /// Runs a drawing step with another painter as the canvas (a test drawing the axes alone).
    template <class F> void paintWith(QPainter& painter, F&& step) {
        QPainter* old = painter_;
        painter_ = &painter;
        struct Back {
            QPainter*& p;
            QPainter* old;
            ~Back() { p = old; }
        } back{painter_, old};
        step();
    }
    bool painting() const { return painter_ != nullptr; }
    QColor colour(std::int32_t bgr) const;
    QColor graphColour(int slot) const;
    /// The picture composed over the background colour, as the window shows it.
    QImage composedPicture() const;

  private:
    void ensurePicture();

    int boxWidth_ = 0;
    int boxHeight_ = 0;
    QPainter* painter_ = nullptr;
};

/// What the translator reports about the relation translated last. The range fields and the
/// shading translate other texts with the same translator; these results must survive them.
struct TRelationResults {
    int ycount = 0;
    bool SolvedForY = false;
    bool Root = false;
    std::string SecondFn;

    static TRelationResults of(const TFormulaTrans& tr) {
        return {tr.ycount, tr.SolvedForY, tr.Root, tr.SecondFn};
    }
    void restore(TFormulaTrans& tr) const {
        tr.ycount = ycount;
        tr.SolvedForY = SolvedForY;
        tr.Root = Root;
        tr.SecondFn = SecondFn;
    }
};

/// Turns the value of a range field into its rewritten text: the general text cut to 8 characters
/// where that only drops fraction digits, else the most precise general text of at most 8 characters.
std::string rangeFieldText(Extended value);

} // namespace kurvo
