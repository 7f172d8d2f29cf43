// TPlotEngine's families: one formula drawn N times with its constants stepped, and the redraw that
// draws the family again after the view changed.
#include "PlotEngine.h"

#include <algorithm>

namespace kurvo {

namespace {
constexpr const char* FormulaTooLong = "This formula is too long: a formula can have at most 255 characters.";
} // namespace

TFamilyCheck TPlotEngine::checkFamily(const TFamilyFields& fields) const {
    return readFamilyFields(fields, SlotCount, Parsers.Translator.DecimalSeparator);
}

void TPlotEngine::PlotFamily(const TFamily& family) {
    History.recordStep("Family " + Host.formulaText());
    paintFamily(family, Scope::Newest);
}

void TPlotEngine::replotFamilyOrAll() {
    if (!Settings.FamilyPlotting) {
        replotAll();
        return;
    }
    // The dialog's fields are read again at every redraw, so an edit made there without OK shows at
    // the next zoom or move. A graph file or the command line has no dialog: the stored family then.
    const TFamilyFields fields = Host.familyFields().value_or(familyFieldTexts(Settings));
    TFamilyCheck check = checkFamily(fields);
    if (!check.ok()) {
        Host.showMessage(check.error->message);
        check.family = TFamily{std::clamp<int>(Settings.familySize, 0, SlotCount), Settings.FamilySteps};
    }
    paintFamily(check.family, Scope::All);
}

void TPlotEngine::paintFamily(const TFamily& family, Scope scope) {
    const std::string formula = Host.formulaText();
    // A slot holds 255 characters; cutting a longer formula would draw something else than was typed.
    if (formula.size() > MaxFormulaLength) {
        Host.showMessage(FormulaTooLong);
        return;
    }
    const int count = std::clamp(family.count, 0, SlotCount);

    // The members are drawn with the parsers' copies of the constants stepped; the constants
    // themselves are kept aside and put back afterwards, also when storing or drawing fails.
    Settings.savedConstants = Settings.ConstantValues;
    struct RestoreConstants {
        TSettingsRecord& s;
        ~RestoreConstants() { s.ConstantValues = s.savedConstants; }
    } restoreConstants{Settings};

    if (!formula.empty()) {
        // The formula is translated into slot 0, which the family fills anyway, so the graph in slot
        // LastGraph (an ordinary graph drawn before the family) is not replaced by it.
        struct RestoreLastGraph {
            std::int32_t& last;
            std::int32_t kept;
            ~RestoreLastGraph() { last = kept; }
        } restoreLastGraph{Settings.LastGraph, Settings.LastGraph};
        Settings.LastGraph = 0;
        // Drawing the family again (a zoom, a move) keeps it hidden when it was.
        const bool hidden = Settings.FamilyPlotting && Document.Graphs[0].Hidden;
        StoreFormula(formula);
        Document.Graphs[0].Hidden = hidden;
        for (std::size_t k = 1; k < static_cast<std::size_t>(count); ++k) {
            Document.copySlot(0, k);
        }
    }

    storeFamily(Settings, TFamily{count, family.steps});
    Document.FamilyLastGraph = count;
    Settings.FamilyPlotting = true;
    PaintBox1Paint(scope);
}

} // namespace kurvo
