// TEditorHost: what the dialogs may ask of the main window.
#pragma once

#include "ConstantFields.h"
#include "DataSource.h"
#include "FamilyFields.h"
#include "SettingsRecord.h"
#include "ToolbarConfig.h"

#include <exception>
#include <functional>
#include <string>
#include <vector>

namespace kurvo {

class TPlotEngine;

/// The small face of the main window that the dialogs see: the program's state (engine, settings,
/// data folder), the formula field, and the few operations that change what the window shows.
/// Every operation reports its own errors in a message box; none throws.
class TEditorHost {
  public:
    virtual ~TEditorHost() = default;

    virtual TPlotEngine& plotEngine() = 0;
    virtual TSettingsRecord& settingsRecord() = 0;
    virtual TDataSource& dataSource() = 0;

    /// The formula field's text (Windows-1252) and a way to put a text there.
    virtual std::string formulaFieldText() const = 0;
    virtual void setFormulaFieldText(const std::string& text) = 0;

    /// Replaces the formula field's drop-down items and sets its text.
    virtual void setFormulaFieldItems(const std::vector<std::string>& items, const std::string& text) = 0;

    /// Runs the Plot action on the formula field's text, as the Plot button does.
    virtual void plotFormulaField() = 0;
    /// Draws a family of the formula field's formula, as the families dialog's OK does.
    virtual void plotFamily(const TFamily& family) = 0;
    /// Draws every graph again at the range fields' view (after a change of settings or data).
    virtual void replotAllGraphs() = 0;
    /// The constants were changed from `before` to the settings' values: the graphs take the
    /// changed ones and the picture is drawn again with them.
    virtual void constantsChanged(const TConstantValues& before) = 0;
    /// Writes the view of the settings into the range fields (after a change of the view).
    virtual void showViewInFields() = 0;
    /// Sets every command's enabled and checked state from the settings again.
    virtual void refreshCommands() = 0;
    /// Shows or hides the pop-up hints of the whole program.
    virtual void setHintsShown(bool shown) = 0;
    /// Puts a plot step N into the toolbar's plot-step field, when the toolbar holds one.
    virtual void setPlotStepFieldValue(int plotStep) = 0;
    /// Runs an engine operation that draws, as the window runs its own plots: input held off while
    /// it runs, an error reported in a message box, the plot area shown again afterwards. While
    /// another plot is running it does not run `run` at all.
    virtual void runPlotting(const std::function<void()>& run) = 0;

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
