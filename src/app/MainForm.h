// TMainForm: the main window, the plotting engine's host with real controls.
#pragma once

#include "DataSource.h"
#include "EditorHost.h"
#include "InputGuard.h"
#include "MainMenu.h"
#include "PlotHost.h"
#include "SettingsRecord.h"
#include "ToolbarSet.h"

#include <QMainWindow>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

class QLabel;

namespace kurvo {

class TPaintBox;
class TPlotEngine;

/// The whole application window: plot area, menus, the three run-time toolbars and the status bar.
/// It turns widget events into calls on the plotting engine and implements the engine's host with
/// its controls. Every handler catches at its boundary and reports through a message box, so no
/// exception reaches the event loop.
class TMainForm : public QMainWindow, public TPlotHost, public TEditorHost {
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

    // ---- state, for the dialogs and the tests ---------------------------------------------------------
    TSettingsRecord& settings() { return settings_; }
    TPlotEngine* engine() { return engine_.get(); }
    TToolbarSet& toolbars() { return toolbars_; }
    const TMainMenu& mainMenu() const { return menu_; }
    TPaintBox* paintBox() const { return PaintBox1; }
    QStatusBar* statusBarWidget() const { return StatusBar1; }
    TInputGuard& inputGuard() { return guard_; }
    const std::filesystem::path& startFolder() const { return startFolder_; }
    int toolbarHeightOffset() const { return toolbarHeightOffset_; }

    // ---- TPlotHost --------------------------------------------------------------------------------------
    std::string formulaText() const override;
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

    // ---- TEditorHost -------------------------------------------------------------------------------------
    TPlotEngine& plotEngine() override { return *engine_; }
    TSettingsRecord& settingsRecord() override { return settings_; }
    TDataSource& dataSource() override { return data_; }
    std::string formulaFieldText() const override { return formulaText(); }
    void setFormulaFieldText(const std::string& text) override;
    void plotFormulaField() override { PlotClick(); }
    void replotAllGraphs() override;
    void showViewInFields() override;
    void refreshCommands() override { updateCommands(); }
    void showInformation(const std::string& text) override { showMessage(text); }
    bool askYesNo(const std::string& text) override { return askQuestion(text); }
    void reportError(const std::exception& e) override { showError(e); }

    // ---- commands -----------------------------------------------------------------------------------------
    void PlotClick();
    void Cart1Click();
    void Polar1Click();
    void Implicit1Click();
    void Parametric1Click();
    void Radians1Click();
    void Degrees1Click();
    void AngleModeClick();
    void PlotDerivedFunction1Click();
    void PlotIntegralFunction1Click();
    void SaveFormulaClick();
    void TypeSquared();
    void TypeCubed();
    void HelpAboutItemClick();
    /// The Settings menu's check items of the options beyond the settings record: stores them in
    /// the data folder's INI file, then draws every graph again with them.
    void toggleOption(bool smoothImplicitCurves, bool antialiasedCurves);

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void FormCreate();
    void FormShow();
    void FormResize();
    void connectToolbars();
    void connectMenu();
    void buildStatusBar();

    /// Runs a handler, reporting any error in a message box.
    template <class F> void guarded(F&& handler);
    /// Runs the engine with the input guard up; refuses to start a second run inside a running one.
    template <class F> void plotting(F&& run);

    void setupRelationBox();
    void loadPresetList();
    /// Sets every command's enabled and checked state and image from the settings.
    void updateCommands();
    void setCommandImage(const char* action, int image);
    void afterModeSwitch();
    QString caption() const;

    std::filesystem::path startFolder_;
    TDataSource data_;
    TSettingsRecord settings_;
    std::unique_ptr<TPlotEngine> engine_;
    TToolbarSet toolbars_;
    TMainMenu menu_;
    TInputGuard guard_;

    TPaintBox* PaintBox1 = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    std::vector<QLabel*> statusPanels_;
    QStringList Memo1; ///< the data-set store: one "x,y" per line, each set ended by "#"

    std::vector<std::string> aliases_;
    std::string undoFormula_;
    int toolbarHeightOffset_ = 0;
    bool zoomMode_ = false, moveMode_ = false;
    bool shown_ = false;
    bool resizePending_ = false;
    bool creationComplete_ = false;

    bool recordMessages_ = false;
    bool recordedAnswer_ = true;
    std::vector<std::string> recorded_;
};

} // namespace kurvo
