// TFormulaBar: reading and filling the toolbars' fields.
#include "FormulaBar.h"

#include "Cp1252.h"
#include "DataFolder.h"
#include "DataSource.h"
#include "DialogSupport.h"
#include "SettingsRecord.h"
#include "Startup.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>

#include <algorithm>

namespace kurvo {
namespace {

std::string fromQ(const QString& s) {
    return utf8ToCp1252(s.toStdString());
}

constexpr TFormulaBar::Field RangeFields[] = {TToolbarSet::TMin, TToolbarSet::TMax, TToolbarSet::XMin,
                                              TToolbarSet::XMax, TToolbarSet::YMin, TToolbarSet::YMax};

} // namespace

// ---- the formula field ------------------------------------------------------------------------------------

std::string TFormulaBar::formulaText() const {
    return bars_.formulaBox ? fromQ(bars_.formulaBox->currentText()) : std::string();
}

void TFormulaBar::setFormulaText(const std::string& text) {
    bars_.formulaBox->setEditText(fromCp1252(text));
}

void TFormulaBar::setFormulaItems(const std::vector<std::string>& items, const std::string& text) {
    QComboBox* box = bars_.formulaBox;
    box->clear();
    for (const auto& line : items)
        box->addItem(fromCp1252(line));
    box->setEditText(fromCp1252(text));
}

void TFormulaBar::loadPresetList() {
    std::vector<std::string> lines = data_.readLines(presetListName(settings_));
    setFormulaItems(lines, lines.empty() ? std::string() : lines.front());
}

void TFormulaBar::addFormulaToPresetList() {
    const char* name = presetListName(settings_);
    // Reading first: a missing list is reported and nothing is written.
    std::vector<std::string> lines = data_.readLines(name);
    lines.push_back(formulaText());
    data_.writeLines(name, lines);
    setFormulaItems(lines, formulaText());
}

void TFormulaBar::focusFormula() {
    bars_.formulaBox->setFocus();
    bars_.formulaBox->lineEdit()->end(false);
}

bool TFormulaBar::formulaHasFocus() const {
    return bars_.formulaBox->lineEdit()->hasFocus();
}

void TFormulaBar::typeIntoFormula(const QString& s) {
    QLineEdit* edit = bars_.formulaBox->lineEdit();
    const int caret = edit->cursorPosition();
    const QString t = edit->text();
    edit->setText(t.left(caret) + s + t.mid(caret));
    edit->setCursorPosition(caret + static_cast<int>(s.size()));
}

// ---- the relation box -------------------------------------------------------------------------------------

std::string TFormulaBar::relationText() const {
    return bars_.relationBox ? fromQ(bars_.relationBox->currentText()) : std::string();
}

void TFormulaBar::setupRelationBox() {
    QComboBox* box = bars_.relationBox;
    if (settings_.ImplicitMode) {
        box->clear();
    } else {
        const int remembered = box->currentIndex();
        std::vector<std::string> labels = startup::relationLabels(settings_, data_);
        box->clear();
        for (const auto& l : labels)
            box->addItem(fromCp1252(l));
        // A remembered entry beyond the new list (a relation chosen before a switch to the polar
        // label) falls back to the first entry rather than leaving the box without a selection.
        box->setCurrentIndex(remembered >= 0 && remembered < box->count() ? remembered : 0);
    }
    // The range fields the mode reads are enabled: t in polar and parametric modes (where x and y
    // are read only without automatic y-scaling), y only without it, x and y always for a relation.
    bool t, x, y;
    if (!settings_.CartesianMode || settings_.ParametricMode) {
        t = true;
        x = y = !settings_.AutoYScaling;
    } else {
        t = false;
        x = true;
        y = !settings_.AutoYScaling;
    }
    if (settings_.ImplicitMode) x = y = true;
    const bool enabled[] = {t, t, x, x, y, y};
    for (Field f : RangeFields)
        if (QLineEdit* e = field(f)) e->setEnabled(enabled[f]);
}

// ---- the range and plot step fields -----------------------------------------------------------------------

bool TFormulaBar::hasField(Field f) const {
    return field(f) != nullptr;
}

std::string TFormulaBar::fieldText(Field f) const {
    QLineEdit* e = field(f);
    return e ? fromQ(e->text()) : std::string();
}

void TFormulaBar::setFieldText(Field f, const std::string& text) {
    if (QLineEdit* e = field(f)) e->setText(fromCp1252(text));
}

void TFormulaBar::showView() {
    const std::array<std::string, 6> texts = startup::rangeFieldTexts(settings_);
    for (Field f : RangeFields)
        setFieldText(f, texts[static_cast<std::size_t>(f)]);
}

bool TFormulaBar::hasPlotStepField() const {
    return bars_.plotStep != nullptr;
}

std::string TFormulaBar::plotStepFieldText() const {
    QSpinBox* box = bars_.plotStep;
    if (!box) return std::string();
    // A number typed into the field counts even before the field loses focus; one beyond the
    // field's range is taken at the nearest end of it.
    bool ok = false;
    const long long typed = box->cleanText().trimmed().toLongLong(&ok);
    if (ok) {
        box->setValue(static_cast<int>(std::clamp<long long>(typed, box->minimum(), box->maximum())));
    }
    return std::to_string(box->value());
}

void TFormulaBar::showPlotStep() {
    if (bars_.plotStep) bars_.plotStep->setValue(plotStepFromText(settings_.plotStepText));
}

// ---- carried over a rebuild of the toolbars ---------------------------------------------------------------

TFormulaBar::TKept TFormulaBar::keep() const {
    TKept kept;
    kept.formula = bars_.formulaBox->currentText();
    kept.relation = bars_.relationBox->currentIndex();
    if (bars_.plotStep) kept.plotStep = bars_.plotStep->value();
    for (Field f : RangeFields)
        if (QLineEdit* e = field(f)) kept.texts[f] = e->text();
    return kept;
}

void TFormulaBar::restoreFields(const TKept& kept) {
    for (Field f : RangeFields)
        if (QLineEdit* e = field(f); e && kept.texts[f]) e->setText(*kept.texts[f]);
    if (bars_.plotStep)
        bars_.plotStep->setValue(kept.plotStep.value_or(plotStepFromText(settings_.plotStepText)));
}

void TFormulaBar::restoreRelation(const TKept& kept) {
    if (kept.relation >= 0 && kept.relation < bars_.relationBox->count())
        bars_.relationBox->setCurrentIndex(kept.relation);
}

} // namespace kurvo
