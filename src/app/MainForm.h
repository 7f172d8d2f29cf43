// TMainForm: the main window, assembled from its parts; the plotting engine's host.
#pragma once

#include "Commands.h"
#include "DataSource.h"
#include "DialogSet.h"
#include "EditorHost.h"
#include "FileCommands.h"
#include "InputGuard.h"
#include "PlotGestures.h"
#include "PlotHost.h"
#include "WindowHost.h"
#include "SettingsRecord.h"
#include "ToolbarSet.h"

#include <QMainWindow>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kurvo {

class TDisplayLabel;
class TPaintBox;
class TPlotEngine;

/// The whole application window: plot area, menus, the three run-time toolbars and the status bar.
/// It assembles its parts (commands, toolbars, gestures, dialogs), turns commands into calls on the
/// plotting engine and implements the engine's and the dialogs' hosts with its controls. Every
/// command runs inside an error boundary that reports through a message box, so no exception
/// reaches the event loop.
class TMainForm : public QMainWindow, private TPlotHost {
    Q_OBJECT
  public:
    enum class Messages { Show, Record };

    /// Creates the window and runs the creation sequence with `startFolder`'s data folder
    /// (`dataFolder`, normally startFolder/data). With Messages::Record every message box, from
    /// the creation sequence on, is recorded instead of shown (questions are answered Yes).
    TMainForm(std::filesystem::path startFolder, std::filesystem::path dataFolder,
              Messages messages = Messages::Show, QWidget* parent = nullptr);
    /// The same with any data source: a folder, or the built-in defaults in memory.
    TMainForm(std::filesystem::path startFolder, TDataSource data, Messages messages = Messages::Show,
              QWidget* parent = nullptr);
    ~TMainForm() override;

    /// Message boxes are recorded instead of shown (for tests); questions get `answer`.
    void setRecordMessages(bool record, bool answer = true);
    const std::vector<std::string>& recordedMessages() const { return recorded_; }

    // ---- the parts, for the gestures, the dialogs and the tests --------------------------------------
    TSettingsRecord& settings() { return settings_; }
    TPlotEngine* engine() { return engine_.get(); }
    TToolbarSet& toolbars() { return toolbars_; }
    const TCommands& commands() const { return commands_; }
    TDialogSet& dialogs() { return *dialogs_; }
    /// Open, the saves, printing and the clipboard.
    TFileCommands& fileCommands() { return *files_; }
    TPlotGestures& gestures() { return *gestures_; }
    TPaintBox* paintBox() const { return paintBox_; }
    QStatusBar* statusBarWidget() const { return statusBar_; }
    TInputGuard& inputGuard() { return guard_; }
    const std::filesystem::path& startFolder() const { return startFolder_; }
    int toolbarHeightOffset() const { return toolbarHeightOffset_; }
    TPlotHost& plotHost() { return *this; }
    TEditorHost& editorHost() { return *editorHost_; }
    TDataSource& dataSource() { return data_; }
    /// The alias list in effect: the lines the Plot action replaces aliases from.
    std::vector<std::string>& aliases() { return aliases_; }

    /// Runs a handler, reporting any error in a message box.
    void runGuarded(const std::function<void()>& handler);
    /// Runs an engine operation that draws: input held off while it runs, an error reported in a
    /// message box, the plot area shown again afterwards. Inside a running plot it does nothing.
    void runPlotting(const std::function<void()>& run);
    void setFormulaFieldText(const std::string& text);
    /// Replaces the formula field's drop-down items and sets its text.
    void setFormulaFieldItems(const std::vector<std::string>& items, const std::string& text);
    /// Writes the view of the settings into the range fields.
    void showViewInFields();
    /// Sets every command's enabled and checked state and image from the settings.
    void refreshCommands() { updateCommands(); }
    /// Commits the drawing's change as a step; Undo and Redo with their hints, and the caption.
    void refreshHistoryCommands() { updateHistoryCommands(); }
    /// Builds the toolbars again from `config` and draws every graph again; the graphs, the view,
    /// the data sets, the mode and the formula field's text stay as they are.
    void rebuildToolbars(const TToolbarConfig& config);

    /// Undo (false) or Redo (true) one step of the drawing, then every graph drawn again.
    void stepHistory(bool redo);
    /// Before the drawing is closed or replaced: when it changed since it was opened or saved,
    /// asks "Save changes to the drawing?" and saves on Save. False when the user cancelled (or
    /// the save did not happen): the drawing stays.
    bool saveChangesFirst();
    /// The answer recorded runs give the save question (they never show it); Discard unless set.
    enum class TSaveAnswer { Save, Discard, Cancel };
    void setSavePromptAnswer(TSaveAnswer answer) { savePromptAnswer_ = answer; }

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    // ---- TPlotHost --------------------------------------------------------------------------------------
    std::string formulaText() const override;
    void setFormulaText(const std::string& text) override { setFormulaFieldText(text); }
    std::string relationText() const override;
    bool hasField(Field f) const override;
    std::string fieldText(Field f) const override;
    void setFieldText(Field f, const std::string& text) override;
    bool hasPlotStepField() const override;
    std::string plotStepFieldText() const override;
    void showMessage(const std::string& text) override;
    bool askQuestion(const std::string& text) override;
    void showError(const std::exception& e) override;
    bool pollStop() override;
    void setCursor(Cursor c) override;
    void beep() override;
    std::vector<std::string> aliasLines() const override { return aliases_; }
    std::optional<TFamilyFields> familyFields() const override;

    // ---- assembly (MainForm.cpp) ------------------------------------------------------------------------
    void buildPlotArea();
    void buildStatusBar();
    void connectToolbars();
    void buildToolbars(const TToolbarConfig& config);
    void FormCreate();
    void FormShow();
    void FormResize();
    void guarded(const std::function<void()>& handler);
    /// What makes a refused view the same refusal: its message and the texts of the range and
    /// plot-step fields it was read from.
    std::string refusalCause(const std::exception& e) const;
    /// Runs the engine with the input guard up; refuses to start a second run inside a running one.
    void plotting(const std::function<void()>& run);

    // ---- commands (MainFormCommands.cpp) --------------------------------------------------------------
    std::vector<TCommandDef> commandTable();
    /// Sets every command's enabled and checked state and image from the settings.
    void updateCommands();
    void plot();
    void switchMode(bool cartesian, bool implicit);
    void setAngleMode(bool degrees);
    void afterModeSwitch();
    void toggleOption(bool smoothImplicitCurves, bool antialiasedCurves);
    void addFormulaToFile();
    void typeSquared();
    void typeCubed();
    /// Commits the drawing's change as a step; Undo and Redo with their hints, and the caption.
    void updateHistoryCommands();
    void showAbout();
    void setupRelationBox();
    void loadPresetList();

    std::filesystem::path startFolder_;
    TDataSource data_;
    TSettingsRecord settings_;
    std::unique_ptr<TPlotEngine> engine_;
    TToolbarSet toolbars_;
    TCommands commands_;
    TInputGuard guard_;
    TPaintBox* paintBox_ = nullptr;
    QStatusBar* statusBar_ = nullptr;
    std::unique_ptr<TPlotGestures> gestures_;
    std::unique_ptr<TWindowHost> editorHost_;
    std::unique_ptr<TDialogSet> dialogs_;
    std::unique_ptr<TFileCommands> files_;

    std::vector<std::string> aliases_;
    TSaveAnswer savePromptAnswer_ = TSaveAnswer::Discard;
    int toolbarHeightOffset_ = 0;
    bool shown_ = false;
    bool resizePending_ = false;
    bool resizeQueued_ = false; ///< a redraw at the plot area's new size is waiting for the event loop
    std::string refusedView_;   ///< refusalCause of the last refused view shown in a message box
    bool creationComplete_ = false;

    bool recordMessages_ = false;
    bool recordedAnswer_ = true;
    std::vector<std::string> recorded_;
};

} // namespace kurvo
