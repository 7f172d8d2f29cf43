// TMainForm: the main window, assembled from its parts.
#pragma once

#include "Commands.h"
#include "DataSource.h"
#include "DialogSet.h"
#include "EditorHost.h"
#include "FileCommands.h"
#include "FormulaBar.h"
#include "InputGuard.h"
#include "PlotGestures.h"
#include "SettingsRecord.h"
#include "ToolbarSet.h"
#include "WindowHost.h"
#include "WindowPlotHost.h"

#include <QMainWindow>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QStatusBar;

namespace kurvo {

class TPaintBox;
class TPlotEngine;
class TPlotSwitches;
class TWindowCommands;
class TWindowHistory;

/// The whole application window: plot area, menus, the three run-time toolbars and the status bar.
/// It owns the settings, the data source and the plotting engine, assembles its parts (commands,
/// toolbars and their fields, gestures, dialogs, hosts, history), runs the creation sequence and
/// redraws when resized. Every command runs inside an error boundary that reports through a
/// message box, so no exception reaches the event loop.
class TMainForm : public QMainWindow {
    Q_OBJECT
  public:
    enum class Messages { Show, Record };
    using TSaveAnswer = TWindowPlotHost::TSaveAnswer;

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
    void setRecordMessages(bool record, bool answer = true) { plotHost_->setRecordMessages(record, answer); }
    const std::vector<std::string>& recordedMessages() const { return plotHost_->recordedMessages(); }
    /// The answer recorded runs give the save question (they never show it); Discard unless set.
    void setSavePromptAnswer(TSaveAnswer answer) { plotHost_->setSaveAnswer(answer); }

    // ---- the parts, for one another and the tests --------------------------------------------------
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
    /// The plotting engine's host: the fields, message boxes and cursors.
    TPlotHost& plotHost() { return *plotHost_; }
    /// The dialogs' host.
    TEditorHost& editorHost() { return *editorHost_; }
    TDataSource& dataSource() { return data_; }
    /// The alias list in effect: the lines the Plot action replaces aliases from.
    std::vector<std::string>& aliases() { return aliases_; }

    /// Runs a handler, reporting any error in a message box.
    void runGuarded(const std::function<void()>& handler);
    /// Runs an engine operation that draws: input held off while it runs, an error reported in a
    /// message box, the plot area shown again afterwards. Inside a running plot it does nothing.
    void runPlotting(const std::function<void()>& run);
    /// Sets every command's enabled and checked state and image from the settings, shows or hides
    /// the readout, and refreshes the history commands.
    void refreshCommands();
    /// Commits the drawing's change as a step; Undo and Redo with their hints, and the caption.
    void refreshHistoryCommands();
    /// Builds the toolbars again from `config` and draws every graph again; the graphs, the view,
    /// the data sets, the mode and the formula field's text stay as they are.
    void rebuildToolbars(const TToolbarConfig& config);
    /// Before the drawing is closed or replaced: when it changed since it was opened or saved,
    /// asks "Save changes to the drawing?" and saves on Save. False when the user cancelled (or
    /// the save did not happen): the drawing stays.
    bool saveChangesFirst();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildPlotArea();
    void buildStatusBar();
    void buildToolbars(const TToolbarConfig& config);
    void FormCreate();
    void FormShow();
    void FormResize();
    /// What makes a refused view the same refusal: its message and the texts of the range and
    /// plot-step fields it was read from.
    std::string refusalCause(const std::exception& e) const;

    std::filesystem::path startFolder_;
    TDataSource data_;
    TSettingsRecord settings_;
    std::vector<std::string> aliases_;
    TInputGuard guard_;
    TToolbarSet toolbars_;
    TCommands commands_;
    TFormulaBar bar_{toolbars_, settings_, data_};
    TPaintBox* paintBox_ = nullptr;
    QStatusBar* statusBar_ = nullptr;
    // The engine refers to its host and the settings: both are declared before it, so they outlive it.
    std::unique_ptr<TWindowPlotHost> plotHost_;
    std::unique_ptr<TPlotEngine> engine_;
    std::unique_ptr<TPlotGestures> gestures_;
    std::unique_ptr<TWindowHost> editorHost_;
    std::unique_ptr<TDialogSet> dialogs_;
    std::unique_ptr<TFileCommands> files_;
    std::unique_ptr<TPlotSwitches> switches_;
    std::unique_ptr<TWindowHistory> history_;
    std::unique_ptr<TWindowCommands> windowCommands_;

    bool shown_ = false;
    bool resizePending_ = false;
    bool resizeQueued_ = false; ///< a redraw at the plot area's new size is waiting for the event loop
    std::string refusedView_;   ///< refusalCause of the last refused view shown in a message box
    bool creationComplete_ = false;
};

} // namespace kurvo
