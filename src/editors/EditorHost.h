// TEditorHost: what the dialogs may ask of the main window.
#pragma once

#include "AdminPassword.h"
#include "ConstantFields.h"
#include "DataSetStore.h"
#include "DataSource.h"
#include "EnvironmentValues.h"
#include "FamilyFields.h"
#include "GraphDocument.h"
#include "SettingsRecord.h"
#include "ToolbarConfig.h"
#include "UserFunctionFiles.h"

#include <exception>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kurvo {

class PointTransformation;
class TFormulaTrans;
struct TSampleRequest;
enum class TDeleteChoice;

/// The small face of the main window that the dialogs see. They read the program's state through
/// const views (settings, drawing, translator) and change it only by asking, by intent: "add this
/// data set", "transform the first data set", "take these constants", "replot". Every operation
/// reports its own errors in a message box; none throws.
class TEditorHost {
  public:
    virtual ~TEditorHost() = default;

    // ---- what the dialogs read ----
    virtual const TSettingsRecord& currentSettings() const = 0;
    virtual const TGraphDocument& drawing() const = 0;
    /// The formula translator in effect (number separators, degrees).
    virtual const TFormulaTrans& formulaTranslator() const = 0;
    virtual TDataSource& dataSource() = 0;
    /// The plot step the window uses: the toolbar's field when it has one, else the settings'.
    virtual int plotStepInEffect() const = 0;

    /// The formula field's text (Windows-1252) and a way to put a text there.
    virtual std::string formulaFieldText() const = 0;
    virtual void setFormulaFieldText(const std::string& text) = 0;
    /// Replaces the formula field's drop-down items and sets its text.
    virtual void setFormulaFieldItems(const std::vector<std::string>& items, const std::string& text) = 0;

    // ---- drawing ----
    /// Runs the Plot action on the formula field's text, as the Plot button does.
    virtual void plotFormulaField() = 0;
    /// Draws a family of the formula field's formula, as the families dialog's OK does.
    virtual void plotFamily(const TFamily& family) = 0;
    /// Whether the family fields describe a family that can be drawn, and why not.
    virtual TFamilyCheck checkFamily(const TFamilyFields& fields) const = 0;
    /// Draws every graph again at the range fields' view (after a change of settings or data).
    virtual void replotAllGraphs() = 0;
    /// Takes the typed constants; when they are valid and changed, the graphs take the changed
    /// ones and the picture is drawn again with them. Returns what was read (texts and error).
    virtual TConstantsEdit applyConstants(const TConstantTexts& typed) = 0;
    /// Takes the typed user functions of one mode: written to their files, and to the parsers when
    /// that mode is in effect. Returns the first refused definition.
    virtual std::optional<TUserFunctionError> applyUserFunctions(bool cartesian,
                                                                 const TUserFunctionTexts& typed) = 0;
    /// Adds the typed lines as a new data set and plots (see addTypedDataSet); nothing while a plot
    /// is running.
    virtual std::optional<TTypedSet> addDataSet(const std::string& axisLabels,
                                                const std::vector<std::string>& lines) = 0;
    /// Deletes graphs or data sets, and draws again; false (nothing deleted) while a plot is running.
    virtual bool deleteGraphs(TDeleteChoice choice) = 0;
    /// Replaces the first data set by its image under `t` and draws again; the starting points and
    /// each image stay in the drawing as marks, with the mirror line when there is one. Returns the
    /// message to show when nothing changed, else an empty text.
    virtual std::string transformFirstDataSet(const PointTransformation& t,
                                              const std::optional<TMirrorLine>& mirror) = 0;
    /// Samples the formula over the request's range, as "Save As Dataset" writes it.
    virtual std::vector<std::string> sampleFormula(const TSampleRequest& request) = 0;

    // ---- settings ----
    /// The data marks drawn from now on (1..12), shown at once.
    virtual void setMarkType(int markType) = 0;
    /// The grid size and the axis labels in multiples of pi, as the environment dialog's radio
    /// groups set them at once.
    virtual void setAxisStyle(bool largeGrid, bool piAxis) = 0;
    /// Takes the environment dialog's values (and its plot step); false when one was refused.
    virtual bool storeEnvironment(const TEnvironmentValues& values) = 0;
    /// Takes the view of the range fields with `plotStep` and writes the settings to the data
    /// folder; false when a field was refused or the file could not be written.
    virtual bool saveEnvironmentWithView(int plotStep) = 0;
    /// Changes the administrator password (the record, for this session).
    virtual TPasswordChange changeAdminPassword(const std::string& oldPassword, const std::string& newPassword,
                                                const std::string& confirmation) = 0;
    /// Shows or hides the pop-up hints of the whole program.
    virtual void setHintsShown(bool shown) = 0;

    // ---- window ----
    /// Writes the view of the settings into the range fields (after a change of the view).
    virtual void showViewInFields() = 0;
    /// Sets every command's enabled and checked state from the settings again.
    virtual void refreshCommands() = 0;

    // ---- administrator features ----
    /// The alias list in effect: the lines the Plot action replaces aliases from.
    virtual std::vector<std::string> aliasListInEffect() const = 0;
    virtual void setAliasListInEffect(std::vector<std::string> lines) = 0;
    /// The configuration the toolbars were built from (the window's toolbar item checks).
    virtual TToolbarConfig toolbarConfig() const = 0;
    /// Builds the toolbars again from `config` and draws every graph again; the graphs, the view,
    /// the data sets, the mode and the formula field's text stay as they are.
    virtual void rebuildToolbars(const TToolbarConfig& config) = 0;

    virtual void showInformation(const std::string& text) = 0;
    virtual bool askYesNo(const std::string& text) = 0;
    virtual void reportError(const std::exception& e) = 0;
};

} // namespace kurvo
