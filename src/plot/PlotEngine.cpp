// TPlotEngine: slots, view, mappings, the Plot action, Store formula, reading the view and the paint driver.
#include "PlotEngine.h"

#include "Axes.h"
#include "CartesianPlotter.h"
#include "DataFolder.h"
#include "Errors.h"
#include "ImplicitPlotter.h"
#include "NumberText.h"
#include "ParameterPlotter.h"
#include "Shading.h"

#include <cmath>
#include <cstdio>

namespace kurvo {

namespace {

std::string lowerCase(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

/// Halves to even, as the hardware's rounding store; out of 32-bit range is an invalid operation.
int nearestPixel(Extended v) {
    Extended r = std::nearbyint(v);
    if (!(r >= -2147483648.0L && r <= 2147483647.0L)) throw EInvalidOp(msg::InvalidOp);
    return static_cast<int>(r);
}

} // namespace

TPlotEngine::TPlotEngine(TSettingsRecord& settings, TPlotHost& host)
    : Settings(settings), Host(host), UndoSnapshot(settings), Parser1(Context), Parser2(Context),
      Parser3(Context), Parser4(Context), SpareParser(Context) {
    for (std::size_t k = 0; k < UserFunctionParser.size(); ++k) {
        UserFunctionParser[k] = std::make_unique<TParser>(Context);
        Context.UserFunctionParser[k] = UserFunctionParser[k].get();
    }
    syncModes();
}

TPlotEngine::~TPlotEngine() = default;

void TPlotEngine::syncModes() {
    Context.CartesianMode = Settings.CartesianMode;
    Translator.Degrees = Settings.DegreeMode;
}

// ---- drawing area ----------------------------------------------------------------------------------

void TPlotEngine::setPaintBoxSize(int width, int height) {
    boxWidth_ = std::max(1, width);
    boxHeight_ = std::max(1, height);
    PlotHeight = boxHeight_ + 22;
    PlotWidth = Settings.SquareAxes ? PlotHeight : boxWidth_;
    PlotPicture = QImage(boxWidth_, boxHeight_ + 22, QImage::Format_ARGB32_Premultiplied);
    PlotPicture.fill(Qt::transparent);
}

void TPlotEngine::ensurePicture() {
    int w = std::max(PlotWidth, 1), h = std::max(PlotHeight, 1);
    if (PlotPicture.isNull() || PlotPicture.width() < w || PlotPicture.height() < h) {
        QImage bigger(std::max(w, PlotPicture.width()), std::max(h, PlotPicture.height()),
                      QImage::Format_ARGB32_Premultiplied);
        bigger.fill(Qt::transparent);
        if (!PlotPicture.isNull()) {
            QPainter p(&bigger);
            p.drawImage(0, 0, PlotPicture);
        }
        PlotPicture = bigger;
    }
}

QColor TPlotEngine::colour(std::int32_t bgr) const {
    auto v = static_cast<std::uint32_t>(bgr);
    return QColor(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF),
                  static_cast<int>((v >> 16) & 0xFF));
}

QColor TPlotEngine::graphColour(int slot) const {
    int i = ((slot % 5) + 5) % 5;
    return colour(Settings.GraphColours[static_cast<std::size_t>(i)]);
}

QImage TPlotEngine::composedPicture() const {
    QImage out(std::max(PlotWidth, 1), std::max(PlotHeight, 1), QImage::Format_RGB32);
    out.fill(colour(Settings.backgroundColour));
    QPainter p(&out);
    p.drawImage(0, 0, PlotPicture);
    return out;
}

// ---- world and pixels ------------------------------------------------------------------------------

int TPlotEngine::WorldToPixelX(Extended x) const {
    return nearestPixel((x - Settings.Xmin) * PlotWidth / XRange);
}

int TPlotEngine::WorldToPixelY(Extended y) const {
    int r = nearestPixel((y - Settings.Ymin) * PlotHeight / YRange);
    return PlotHeight - r;
}

Extended TPlotEngine::PixelToWorldX(Extended px) const {
    return px * XRange / PlotWidth + Settings.Xmin;
}

Extended TPlotEngine::PixelToWorldY(Extended py) const {
    return (PlotHeight - py) * YRange / PlotHeight + Settings.Ymin;
}

// ---- constants -------------------------------------------------------------------------------------

namespace {
std::array<double*, 16> constantFields(TParser& p) {
    return {&p.A, &p.B, &p.C, &p.D, &p.E, &p.M, &p.N, &p.O, &p.P, &p.Q, &p.R, &p.S, &p.U, &p.V, &p.W, &p.Z};
}
} // namespace

void TPlotEngine::copyConstants(TParser& p) const {
    auto fields = constantFields(p);
    for (std::size_t k = 0; k < fields.size(); ++k)
        *fields[k] = static_cast<double>(Settings.ConstantValues[k]);
}

void TPlotEngine::stepFamily(TParser& p) const {
    auto fields = constantFields(p);
    for (std::size_t k = 0; k < fields.size(); ++k)
        *fields[k] += static_cast<double>(Settings.FamilySteps[k]);
}

// ---- Plot action and Store formula -----------------------------------------------------------------

void TPlotEngine::PlotAction() {
    UndoSnapshot = Settings;
    Settings.FamilyPlotting = false;
    Translator.Root = false;
    syncModes();

    std::string formula = Host.formulaText();
    if (formula.empty() && !DataSetPlotting) return;
    // A slot holds 255 characters; cutting a longer formula would plot something else than was typed.
    if (formula.size() > MaxFormulaLength) {
        Host.showMessage("This formula is too long: a formula can have at most 255 characters.");
        return;
    }

    const std::int32_t previousLastGraph = Settings.LastGraph;
    if (!Settings.AutoYScaling) {
        if (Settings.LastGraph == -2)
            Settings.LastGraph = 1;
        else
            Settings.LastGraph = Settings.LastGraph + 1;
        if (Settings.LastGraph >= SlotCount) {
            Settings.LastGraph = previousLastGraph;
            Host.showMessage(
                "There can be at most 100 graphs. Delete some graphs before you plot another one.");
            return;
        }
    }
    if (Settings.AutoYScaling || ReplotAll) {
        Settings.LastGraph = 0;
        PlotPicture =
            QImage(std::max(PlotWidth, 1), std::max(PlotHeight, 1), QImage::Format_ARGB32_Premultiplied);
        PlotPicture.fill(Qt::transparent);
    }
    if (!formula.empty() && formula != "()") {
        try {
            StoreFormula(formula);
        } catch (...) {
            // The slot was never filled: keep it out of the live graphs so no later paint draws it.
            Settings.LastGraph = previousLastGraph;
            throw;
        }
    }
    PlotRequested = true;
    try {
        PaintBox1Paint();
    } catch (...) {
        PlotRequested = false;
        throw;
    }
    PlotRequested = false;
}

void TPlotEngine::StoreFormula(const std::string& text) {
    syncModes();
    std::string t = applyAliases(lowerCase(text), Host.aliasLines());
    const auto slot = static_cast<std::size_t>(std::clamp(Settings.LastGraph, 0, SlotCount - 1));

    if (Settings.ImplicitMode) {
        // The last sign found decides; two-character signs are looked for after the single ones.
        int code = -1;
        if (t.find('>') != std::string::npos) code = 0;
        if (t.find('<') != std::string::npos) code = 2;
        if (t.find('=') != std::string::npos) code = 4;
        if (t.find(">=") != std::string::npos || t.find("=>") != std::string::npos) code = 1;
        if (t.find("<=") != std::string::npos || t.find("=<") != std::string::npos) code = 3;
        if (code >= 0) ImplicitRelation = code;
        DashedBoundary = ImplicitRelation == 0 || ImplicitRelation == 2;
    }

    if (Settings.ParametricMode) {
        auto comma = t.find(',');
        std::string first = comma == std::string::npos ? t : t.substr(0, comma);
        std::string second = comma == std::string::npos ? std::string() : t.substr(comma + 1);
        Translator.Instring = first;
        Translator.Translate();
        std::string firstOut = Translator.Outstring;
        Translator.Instring = second;
        Translator.Translate();
        std::string secondOut = Translator.Outstring;
        Parser1.setExpression(firstOut);
        Parser2.setExpression(secondOut);
        ParsedFormulas[slot] = firstOut;
        UserFormulas[slot] = t;
        copyConstants(Parser2);
    } else {
        Translator.Instring = t;
        Translator.Translate();
        Parser1.setExpression(Translator.Outstring);
        SpareParser.setExpression(Translator.Outstring);
        ParsedFormulas[slot] = Translator.Outstring;
        UserFormulas[slot] = Translator.Instring;
    }
    copyConstants(Parser1);
    copyConstants(Parser3);
    ExpressionReady = true;
}

// ---- reading the view ------------------------------------------------------------------------------

namespace {
int significantDigits(const std::string& text) {
    int n = 0;
    bool leading = true;
    for (char c : text) {
        if (c == 'E') break;
        if (c < '0' || c > '9') continue;
        if (leading && c == '0') continue;
        leading = false;
        ++n;
    }
    return n;
}
} // namespace

/// Scientific text with the given significant digits, without trailing zeros: 1.235E-5.
std::string scientificText(Extended value, int digits) {
    std::string g = formatGeneral(value, digits);
    if (g.find('E') != std::string::npos) return g;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*LE", digits - 1, value);
    std::string s(buf);
    auto e = s.find('E');
    std::string mantissa = s.substr(0, e);
    if (mantissa.find('.') != std::string::npos) {
        while (mantissa.back() == '0')
            mantissa.pop_back();
        if (mantissa.back() == '.') mantissa.pop_back();
    }
    return mantissa + "E" + std::to_string(std::stoi(s.substr(e + 1)));
}

std::string rangeFieldText(Extended value) {
    std::string s = formatGeneral(value);
    if (s.size() <= 8) return s;
    // The most precise text that fits in 8 characters, general or scientific.
    std::string best;
    for (int digits = 14; digits >= 1 && best.empty(); --digits) {
        std::string g = formatGeneral(value, digits), e = scientificText(value, digits);
        if (g.size() <= 8) best = g;
        if (e.size() <= 8 && (best.empty() || significantDigits(e) > significantDigits(best))) best = e;
    }
    if (best.empty()) best = s;
    // Cutting to 8 characters is kept where it only drops fraction digits and keeps as many
    // significant digits as the best fitting text; otherwise (1.23456789E-5 would become 1.234567,
    // 123456789 would become 12345678) the best fitting text is written.
    auto point = s.find('.');
    bool scientific = s.find('E') != std::string::npos;
    if (!scientific && point != std::string::npos && point <= 8) {
        std::string cut = s.substr(0, 8);
        if (cut.back() == '.') cut.pop_back();
        if (significantDigits(cut) >= significantDigits(best)) return cut;
    }
    return best;
}

void TPlotEngine::ReadView() {
    auto evaluateField = [&](TPlotHost::Field f) -> Extended {
        Translator.Instring = lowerCase(Host.fieldText(f));
        Translator.Translate();
        Parser1.setExpression(Translator.Outstring);
        Extended v = Parser1.Value();
        Host.setFieldText(f, rangeFieldText(v));
        return v;
    };
    syncModes();
    // The fields are translated too; the relation results of the stored formula must survive them.
    const TRelationResults kept = TRelationResults::of(Translator);
    struct Restore {
        TFormulaTrans& tr;
        const TRelationResults& kept;
        ~Restore() { kept.restore(tr); }
    } restore{Translator, kept};
    if (Host.hasField(TPlotHost::Field::TMin)) Settings.Tmin = evaluateField(TPlotHost::Field::TMin);
    if (Host.hasField(TPlotHost::Field::TMax)) Settings.Tmax = evaluateField(TPlotHost::Field::TMax);
    Settings.Xmin = evaluateField(TPlotHost::Field::XMin);
    Settings.Xmax = evaluateField(TPlotHost::Field::XMax);
    Settings.Ymin = evaluateField(TPlotHost::Field::YMin);
    Settings.Ymax = evaluateField(TPlotHost::Field::YMax);
    XRange = Settings.Xmax - Settings.Xmin;
    YRange = Settings.Ymax - Settings.Ymin;

    int n = Host.hasPlotStepField() ? plotStepFromText(Host.plotStepFieldText())
                                    : plotStepFromText(Settings.plotStepText);
    if (n == 0) throw EZeroDivide(msg::ZeroDivide);
    if (!Settings.CartesianMode || Settings.ParametricMode)
        Settings.PlotStep = (Settings.Tmax - Settings.Tmin) / n * 0.25L;
    else
        Settings.PlotStep = XRange / n * 0.25L;
}

// ---- paint driver ----------------------------------------------------------------------------------

bool TPlotEngine::stopRequested() {
    if (!Host.pollStop()) return false;
    Host.setCursor(TPlotHost::Cursor::Normal);
    Host.showMessage("Plot stopped");
    return true;
}

void TPlotEngine::PaintBox1Paint() {
    PlotHeight = std::max(boxHeight_, 1);
    PlotWidth = Settings.SquareAxes ? PlotHeight : std::max(boxWidth_, 1);
    ensurePicture();

    QPainter painter(&PlotPicture);
    painter_ = &painter;
    struct Release {
        QPainter*& p;
        ~Release() { p = nullptr; }
    } release{painter_};

    QColor background = colour(Settings.backgroundColour);
    painter.setPen(QPen(background, 1));
    painter.drawLine(0, PlotHeight, 0, 0);
    painter.drawLine(0, 0, PlotWidth, 0);

    ReadView();
    if (!PlotRequested) return; // coordinate sets are drawn here once they exist

    if (Settings.AutoYScaling || ReplotAll) {
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillRect(0, 0, PlotWidth, PlotHeight, background);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }

    if (Settings.showAxes && XRange > 1e-7L && YRange > 1e-7L) TAxesPainter(*this).draw();

    int first = Settings.AutoYScaling ? 0 : Settings.LastGraph;
    int last = std::max(Settings.LastGraph, 0);
    if (Settings.FamilyPlotting) {
        first = 0;
        last = FamilyLastGraph - 1;
    }
    if (ReplotAll) first = 0;
    first = std::max(first, 0);
    last = std::min(last, SlotCount - 1);

    const std::string relation = Host.relationText();
    for (int slot = first; slot <= last && !Host.formulaText().empty(); ++slot) {
        const std::string& parsed = ParsedFormulas[static_cast<std::size_t>(slot)];
        Parser1.setExpression(parsed);
        if (parsed.find("DIFF") != std::string::npos) Context.DerivativeMarker = true;
        if (parsed.find("INTEG") != std::string::npos) Context.IntegralMarker = true;
        // INV is recognised from the text too, so an x = f(y) graph is swapped from its first sample.
        if (parsed.find("INV") != std::string::npos) Context.InverseMarker = true;

        if (Settings.CartesianMode && !Settings.ImplicitMode && !Settings.ParametricMode) {
            TCartesianPlotter(*this).PlotCartesianGraph(slot, Context.DerivativeMarker,
                                                        Context.IntegralMarker);
            Context.DerivativeMarker = false;
            Context.IntegralMarker = false;
        }
        if (!Settings.CartesianMode && !Settings.ImplicitMode && !Settings.ParametricMode)
            TParameterPlotter(*this).PlotPolarGraph(slot);
        if (Settings.ParametricMode && !Settings.ImplicitMode) {
            if (Settings.CartesianMode)
                TParameterPlotter(*this).PlotParametricCartesian(slot);
            else
                TParameterPlotter(*this).PlotParametricPolar(slot);
        }
        if (Settings.ImplicitMode) {
            // Solved for y: the one or two branches are traced as y = f(x); otherwise the general
            // relation F(x, y) = 0 is searched row by row.
            if (Translator.ycount == 1 && Translator.SolvedForY)
                TCartesianPlotter(*this).PlotExplicitImplicit(slot);
            else
                TImplicitPlotter(*this).PlotImplicitRelation(slot);
            if (ImplicitRelation != 4) TShading(*this).ShadeImplicitRegion(slot);
        }
        if (Settings.PlotDerived && Settings.CartesianMode) {
            Context.InverseMarker = parsed.find("INV") != std::string::npos;
            TCartesianPlotter(*this).PlotCartesianGraph(slot, true, false);
        }
        if (Settings.PlotIntegral && Settings.CartesianMode) {
            Context.InverseMarker = parsed.find("INV") != std::string::npos;
            TCartesianPlotter(*this).PlotCartesianGraph(slot, false, true);
        }
        if (!Settings.AutoYScaling) ReplotAll = false;
        if (relation == "y>" || relation == "y>=") TShading(*this).ShadeAboveGraph(slot);
        if (relation == "y<" || relation == "y<=") TShading(*this).ShadeBelowGraph(slot);
    }
}

} // namespace kurvo
