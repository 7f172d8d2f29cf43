// TFormulaBar: what the toolbars' fields hold: the formula field and its list, the relation box,
// the range fields and the plot step.
#pragma once

#include "ToolbarSet.h"

#include <QString>

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace kurvo {

class TDataSource;
struct TSettingsRecord;

/// Reads and fills the fields of the window's toolbars (texts are Windows-1252). The fields are
/// made again when the toolbars are rebuilt; this class always works on the ones that exist now,
/// and a field switched off in the toolbar configuration reads as empty and takes no text.
class TFormulaBar {
  public:
    using Field = TToolbarSet::RangeField;

    TFormulaBar(TToolbarSet& bars, const TSettingsRecord& settings, TDataSource& data)
        : bars_(bars), settings_(settings), data_(data) {}

    std::string formulaText() const;
    void setFormulaText(const std::string& text);
    /// Replaces the formula field's drop-down items and sets its text.
    void setFormulaItems(const std::vector<std::string>& items, const std::string& text);
    /// The current mode's preset list into the formula field's drop-down; its first line as text.
    void loadPresetList();
    /// Adds the formula field's text to the current mode's preset list file, and to the drop-down.
    void addFormulaToPresetList();
    /// Puts the focus into the formula field, the caret at its end.
    void focusFormula();
    bool formulaHasFocus() const;
    /// Types `s` into the formula field at its caret.
    void typeIntoFormula(const QString& s);

    std::string relationText() const;
    /// Fills the relation box for the mode (keeping the entry chosen) and enables the range fields
    /// the mode reads.
    void setupRelationBox();

    bool hasField(Field f) const;
    std::string fieldText(Field f) const;
    void setFieldText(Field f, const std::string& text);
    /// Writes the view of the settings into the range fields.
    void showView();

    bool hasPlotStepField() const;
    /// The plot step field's number; one typed but not yet confirmed counts, taken at the nearest
    /// end of the field's range.
    std::string plotStepFieldText() const;
    /// Sets the plot step field (when there is one) to the step of the settings.
    void showPlotStep();

    /// What the fields hold, carried over to the fields of rebuilt toolbars: the formula, the
    /// relation chosen, the range texts (typed but not yet plotted ones too) and the plot step.
    struct TKept {
        QString formula;
        int relation = -1;
        std::optional<int> plotStep;
        std::array<std::optional<QString>, TToolbarSet::RangeFieldCount> texts;
    };
    TKept keep() const;
    /// Puts back the kept range texts and plot step (the rest of the fields keep what they show).
    void restoreFields(const TKept& kept);
    /// Puts back the kept relation when the new relation box has it.
    void restoreRelation(const TKept& kept);

  private:
    QLineEdit* field(Field f) const { return bars_.fields[f]; }

    TToolbarSet& bars_;
    const TSettingsRecord& settings_;
    TDataSource& data_;
};

} // namespace kurvo
