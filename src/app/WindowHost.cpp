// TWindowHost: the dialogs' requests carried out on the window's engine and controls.
#include "WindowHost.h"

#include "DocumentMarks.h"
#include "DrawingEdits.h"
#include "FormulaBar.h"
#include "MainForm.h"
#include "NumberText.h"
#include "PlotEngine.h"
#include "SampleExport.h"
#include "Startup.h"
#include "Transformation.h"
#include "TransformationFields.h"

#include <QComboBox>
#include <QSpinBox>

namespace kurvo {

const TSettingsRecord& TWindowHost::currentSettings() const {
    return form_.settings();
}

const TGraphDocument& TWindowHost::drawing() const {
    return form_.engine()->Document;
}

const TFormulaTrans& TWindowHost::formulaTranslator() const {
    return form_.engine()->Parsers.Translator;
}

TDataSource& TWindowHost::dataSource() {
    return form_.dataSource();
}

int TWindowHost::plotStepInEffect() const {
    try {
        // The toolbar's field when it has one, a number typed there but not yet confirmed too.
        if (form_.toolbars().plotStep) return plotStepFromText(form_.plotHost().plotStepFieldText());
        return plotStepFromText(form_.settings().plotStepText);
    } catch (const std::exception&) {
        return TEnvironmentValues{}.plotStep;
    }
}

std::string TWindowHost::formulaFieldText() const {
    return form_.plotHost().formulaText();
}

void TWindowHost::setFormulaFieldText(const std::string& text) {
    bar_.setFormulaText(text);
}

void TWindowHost::setFormulaFieldItems(const std::vector<std::string>& items, const std::string& text) {
    bar_.setFormulaItems(items, text);
}

void TWindowHost::plotFormulaField() {
    form_.runPlotting([&] { form_.engine()->PlotAction(); });
}

void TWindowHost::plotFamily(const TFamily& family) {
    form_.runPlotting([&] { form_.engine()->PlotFamily(family); });
}

TFamilyCheck TWindowHost::checkFamily(const TFamilyFields& fields) const {
    return form_.engine()->checkFamily(fields);
}

void TWindowHost::replotAllGraphs() {
    form_.runPlotting([&] { form_.engine()->replotAll(); });
}

TConstantsEdit TWindowHost::applyConstants(const TConstantTexts& typed) {
    TPlotEngine& engine = *form_.engine();
    const TConstantValues before = engine.Settings.ConstantValues;
    TConstantsEdit edit = applyConstantFields(engine.Settings, typed, engine.Parsers.Translator.DecimalSeparator);
    if (edit.ok() && engine.Settings.ConstantValues != before)
        form_.runPlotting([&] {
            engine.takeChangedConstants(before);
            engine.replotAll();
        });
    return edit;
}

std::optional<TUserFunctionError> TWindowHost::applyUserFunctions(bool cartesian, const TUserFunctionTexts& typed) {
    TPlotEngine& engine = *form_.engine();
    // Definitions are typed as formulas are: the window's number separators apply to both.
    TFormulaTrans translator;
    translator.DecimalSeparator = engine.Parsers.Translator.DecimalSeparator;
    translator.ThousandSeparator = engine.Parsers.Translator.ThousandSeparator;
    translator.Degrees = engine.Settings.DegreeMode;
    // The engine's parsers hold the functions of the current mode; definitions of the other mode
    // (the mode was switched while the dialog was open) go to their files only.
    TParserContext otherMode;
    TParserContext& context = cartesian == engine.Settings.CartesianMode ? engine.Parsers.Context : otherMode;
    return kurvo::applyUserFunctions(form_.dataSource(), cartesian, typed, translator, context);
}

std::optional<TTypedSet> TWindowHost::addDataSet(const std::string& axisLabels,
                                                 const std::vector<std::string>& lines) {
    std::optional<TTypedSet> added;
    form_.runPlotting([&] { added = addTypedDataSet(*form_.engine(), axisLabels, lines); });
    form_.refreshCommands(); // the data-set commands are there now
    return added;
}

bool TWindowHost::deleteGraphs(TDeleteChoice choice) {
    bool ran = false;
    form_.runPlotting([&] {
        ran = true;
        kurvo::deleteGraphs(*form_.engine(), choice);
    });
    form_.refreshCommands(); // the data-set commands wait for data sets again
    return ran;
}

std::string TWindowHost::transformFirstDataSet(const PointTransformation& t,
                                               const std::optional<TMirrorLine>& mirror) {
    TGraphDocument& doc = form_.engine()->Document;
    if (!hasFirstSetPoints(doc)) return msg::NoDataPoints;
    switch (transformFirstSet(doc, t.apply(doc.DataSets.points(0)), mirror)) {
    case TTransformResult::NoPoints:
        return msg::NoDataPoints;
    case TTransformResult::ImageTooLarge:
        return msg::ImageTooLarge;
    case TTransformResult::Done:
        break;
    }
    replotAllGraphs();
    return {};
}

std::vector<std::string> TWindowHost::sampleFormula(const TSampleRequest& request) {
    TPlotEngine& engine = *form_.engine();
    TSampleRequest withAliases = request;
    withAliases.aliases = form_.aliases();
    return kurvo::sampleFormula(engine.Parsers, engine.Settings, withAliases);
}

void TWindowHost::setMarkType(int markType) {
    form_.settings().MarkType = markType;
    replotAllGraphs(); // the data sets show in the new mark at once
}

void TWindowHost::setAxisStyle(bool largeGrid, bool piAxis) {
    form_.settings().largeGrid = largeGrid;
    form_.settings().piAxis = piAxis;
}

bool TWindowHost::storeEnvironment(const TEnvironmentValues& values) {
    try {
        TSettingsRecord& s = form_.settings();
        kurvo::storeEnvironment(values, s);
        // The window takes its plot step from the toolbar's field; without that field the settings'
        // plot-step text is the one the paints read.
        if (QSpinBox* field = form_.toolbars().plotStep)
            field->setValue(values.plotStep);
        else
            s.plotStepText = plotStepToText(values.plotStep);
        return true;
    } catch (const std::exception& e) {
        reportError(e);
        return false;
    }
}

bool TWindowHost::saveEnvironmentWithView(int plotStep) {
    try {
        const TPlotHost& window = form_.plotHost();
        using F = TPlotHost::Field;
        TViewFieldTexts fields;
        if (window.hasField(F::TMin)) fields.tmin = window.fieldText(F::TMin);
        if (window.hasField(F::TMax)) fields.tmax = window.fieldText(F::TMax);
        fields.xmin = window.fieldText(F::XMin);
        fields.xmax = window.fieldText(F::XMax);
        fields.ymin = window.fieldText(F::YMin);
        fields.ymax = window.fieldText(F::YMax);
        takeEnvironmentView(fields, plotStep, form_.settings());
        form_.dataSource().writeSettings(form_.settings());
        return true;
    } catch (const std::exception& e) {
        reportError(e);
        return false;
    }
}

TPasswordChange TWindowHost::changeAdminPassword(const std::string& oldPassword, const std::string& newPassword,
                                                 const std::string& confirmation) {
    return kurvo::changeAdminPassword(form_.settings(), oldPassword, newPassword, confirmation);
}

void TWindowHost::setHintsShown(bool shown) {
    form_.inputGuard().setHintsShown(shown);
}

void TWindowHost::showViewInFields() {
    bar_.showView();
}

void TWindowHost::refreshCommands() {
    form_.refreshCommands();
}

std::vector<std::string> TWindowHost::aliasListInEffect() const {
    return form_.aliases();
}

void TWindowHost::setAliasListInEffect(std::vector<std::string> lines) {
    form_.aliases() = std::move(lines);
}

TToolbarConfig TWindowHost::toolbarConfig() const {
    return form_.toolbars().config();
}

void TWindowHost::rebuildToolbars(const TToolbarConfig& config) {
    form_.rebuildToolbars(config);
}

void TWindowHost::showInformation(const std::string& text) {
    form_.plotHost().showMessage(text);
}

bool TWindowHost::askYesNo(const std::string& text) {
    return form_.plotHost().askQuestion(text);
}

void TWindowHost::reportError(const std::exception& e) {
    form_.plotHost().showError(e);
}

} // namespace kurvo
