// TMainForm: the main window, the plotting engine's host with real controls.
#pragma once

#include "DataSource.h"
#include "EditorHost.h"
#include "InputGuard.h"
#include "MainMenu.h"
#include "PlotHost.h"
#include "PlotKeys.h"
#include "SettingsRecord.h"
#include "ToolbarSet.h"

#include <QMainWindow>
#include <QPoint>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QLabel;
class QPrinter;

namespace kurvo {

class TDataSaveDialog;
class TDisplayLabel;
struct TReadoutResult;
class TPaintBox;
class TPlotEngine;
class Tfmatrix;
class Tfregression;
class Tfstatistics;
class Tftrans;
class Tfconstant;
class Tfcoords;
class Tfdelete;
class Tffamilies;
class Tffunctions;
class Tfformulae;
class THelpWindow;
class TPaintBox;
class TPlotEngine;
class TPrintForm;
class Tfalias;
class Tfpass;
class Tfsetpass;
class Ttoolbar_cnfg;
class TEnvironment;
class TDataMks;

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

    // ---- TEditorHost -------------------------------------------------------------------------------------
    TPlotEngine& plotEngine() override { return *engine_; }
    TSettingsRecord& settingsRecord() override { return settings_; }
    TDataSource& dataSource() override { return data_; }
    std::string formulaFieldText() const override { return formulaText(); }
    void setFormulaFieldText(const std::string& text) override;
    void setFormulaFieldItems(const std::vector<std::string>& items, const std::string& text) override;
    void plotFormulaField() override { PlotClick(); }
    void plotFamily(const TFamily& family) override;
    void replotAllGraphs() override;
    void constantsChanged(const TConstantValues& before) override;
    void showViewInFields() override;
    void refreshCommands() override { updateCommands(); }
    void setHintsShown(bool shown) override { guard_.setHintsShown(shown); }
    void setPlotStepFieldValue(int plotStep) override;
    void runPlotting(const std::function<void()>& run) override;
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
    // Files: the dialogs ask for a name, then the named operations below do the work.
    void Open1Click();
    void SaveasKurvoFile1Click();
    void Save1Click();
    /// Opens a graph file or imports a data-set file, as Open does once a file was chosen.
    void openFile(const std::filesystem::path& file);
    /// Writes the drawing as a graph file, as Save as KurvoFile does once a name was chosen.
    void saveGraphFileAs(const std::filesystem::path& file);
    TDataSaveDialog* dataSaveDialog() const { return DataSaveDialog_; }

    // ---- exploring the view: gestures, readout, view commands (MainFormView.cpp) -------------------------
    void PaintBox1MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int X, int Y);
    void PaintBox1MouseMove(Qt::KeyboardModifiers shift, int X, int Y);
    void PaintBox1MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int X, int Y);
    /// A wheel turn over the plot area; `angleDelta` in eighths of a degree, 120 a notch.
    void PaintBox1Wheel(int X, int Y, int angleDelta);
    /// A key of the focused plot area: the arrows move the view a tenth (undoable), + and - zoom
    /// about the centre, the space bar reads the graph at the centre.
    void PaintBox1Key(TPlotKey key);
    /// The readout of the graph nearest the view's centre in the status bar (shown for it), the
    /// free readout of the centre where no cartesian graph is drawn.
    void readCentre();
    void Zoomout1Click();
    void Zoomin1Click();
    void Movegraph1Click();
    void Undolastaction1Click();
    /// Undo (false) or Redo (true) one step of the drawing, then every graph drawn again.
    void stepHistory(bool redo);
    /// Before the drawing is closed or replaced: when it changed since it was opened or saved,
    /// asks "Save changes to the drawing?" and saves on Save. False when the user cancelled (or
    /// the save did not happen): the drawing stays.
    bool saveChangesFirst();
    /// The answer recorded runs give the save question (they never show it); Discard unless set.
    enum class TSaveAnswer { Save, Discard, Cancel };
    void setSavePromptAnswer(TSaveAnswer answer) { savePromptAnswer_ = answer; }
    void ShowCoordinateInfo1Click();
    void ShowTangent1Click();
    void Automaticyscaling1Click();
    void Square1Click();
    void EqualScale1Click();
    void ZoomInCentre1Click();
    void ZoomOutCentre1Click();
    void DefaultView1Click();
    bool zoomMode() const { return zoomMode_; }
    bool moveMode() const { return moveMode_; }
    /// The text of a status bar panel (0 x, 1 y, 2 r, 3 t, 4 dy/dx).
    QString statusPanelText(int panel) const;
    // ---- data-set analysis dialogs (created with the window, shown and hidden) ---------------------------
    void Transforms1Click();
    void Matrix1Click();
    void Statistics1Click();
    void Regression1Click();
    Tftrans* transformDialog() const { return ftrans_; }
    Tfmatrix* matrixDialog() const { return fmatrix_; }
    Tfstatistics* statisticsDialog() const { return fstatistics_; }
    Tfregression* regressionDialog() const { return fregression_; }
    // ---- formula editors: constants, families, functions, preset formulae ------------------------------
    void Constants1Click();
    void Families1Click();
    void Functions1Click();
    void Formulae1Click();
    Tfconstant* constantsDialog() const { return fconstant_; }
    Tffamilies* familiesDialog() const { return ffamilies_; }
    Tffunctions* functionsDialog() const { return ffunctions_; }
    Tfformulae* formulaeDialog() const { return fformulae_; }
    // ---- coordinate sets and deleting graphs -----------------------------------------------------------
    void CoordinateSets1Click();
    void Delete1Click();
    Tfcoords* coordsDialog() const { return fcoords_; }
    Tfdelete* deleteDialog() const { return fdelete_; }

    // ---- environment settings and the data-marks palette ---------------------------------------------
    void Environment1Click();
    TEnvironment* environmentDialog() const { return environment_; }
    TDataMks* dataMarksDialog() const { return dataMks_; }

    // ---- output: pictures, clipboard, printing, help ------------------------------------------------
    void SaveasPicture1Click();
    void CopytoCliboard1Click();
    void PrinterSetup1Click();
    void PrintClick();
    void Help2Click();
    void KurvoTutorial1Click();
    /// Saves the picture under a name chosen in the picture save dialog with one of its filters
    /// (the dialog's result, for the tests); a failure is reported in a message box.
    void savePictureAs(const QString& chosenName, const QString& filter);
    /// Prints the graph at `percent` of the page on `target`; a failure is reported in a message box.
    void printOn(QPrinter& target, int percent);
    /// The printer the set-up and print dialogs choose, kept for the session.
    QPrinter& printer();
    THelpWindow* helpWindow() const { return help_; }
    TPrintForm* printForm() const { return printForm_; }

    // ---- administrator features: the toolbar configuration and the aliases open only through the
    // password prompt, which opens the feature of the admin target after a right password ----------
    enum AdminTarget { ToolbarConfiguration = 0, FunctionAliases = 1 };
    void ConfigureToolbar1Click();
    void FunctionAliases1Click();
    void SetPassword1Click();
    Tfpass* passwordDialog() const { return fpass_; }
    Tfsetpass* setPasswordDialog() const { return fsetpass_; }
    Tfalias* aliasDialog() const { return falias_; }
    Ttoolbar_cnfg* toolbarConfigDialog() const { return toolbarCnfg_; }
    std::vector<std::string> aliasListInEffect() const override { return aliases_; }
    void setAliasListInEffect(std::vector<std::string> lines) override { aliases_ = std::move(lines); }
    TToolbarConfig toolbarConfig() const override { return toolbars_.config(); }
    void rebuildToolbars(const TToolbarConfig& config) override;
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
    void connectViewCommands();
    void connectHistoryCommands();
    /// Commits the drawing's change as a step; Undo and Redo with their hints, and the caption.
    void updateHistoryCommands();
    /// `guarded` for the handlers of other files (`runPlotting` is public: the dialogs use it too).
    void runGuarded(const std::function<void()>& handler);
    /// The readout at the pointer: the status bar panels and the cross-hair and tangent overlays.
    void readoutAt(int X, int Y);
    void showReadout(const TReadoutResult& r);
    /// The plot area's cursor for the current gesture mode.
    void updatePlotCursor();

    /// Runs a handler, reporting any error in a message box.
    template <class F> void guarded(F&& handler);
    /// What makes a refused view the same refusal: its message and the texts of the range and
    /// plot-step fields it was read from.
    std::string refusalCause(const std::exception& e) const;
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
    std::vector<TDisplayLabel*> statusPanels_; ///< read by screen readers as they change
    TDataSaveDialog* DataSaveDialog_ = nullptr;

    Tftrans* ftrans_ = nullptr;
    Tfmatrix* fmatrix_ = nullptr;
    Tfstatistics* fstatistics_ = nullptr;
    Tfregression* fregression_ = nullptr;

    std::vector<std::string> aliases_;
    TSaveAnswer savePromptAnswer_ = TSaveAnswer::Discard;
    int toolbarHeightOffset_ = 0;
    bool zoomMode_ = false, moveMode_ = false;
    bool dragging_ = false;   ///< a press started a gesture that its release ends
    QPoint dragStart_;        ///< where the gesture started (pixels of the plot area)
    int wheelRemainder_ = 0;  ///< wheel angle not yet a whole notch (touchpads send small steps)
    qint64 lastWheelMs_ = -1; ///< when the last wheel notch came, for grouping a turn into one undo
    bool shown_ = false;
    bool resizePending_ = false;
    bool resizeQueued_ = false; ///< a redraw at the plot area's new size is waiting for the event loop
    std::string refusedView_;   ///< refusalCause of the last refused view shown in a message box
    bool creationComplete_ = false;

    // The formula editors, created once with the window and shown and hidden (owned as children).
    Tfconstant* fconstant_ = nullptr;
    Tffamilies* ffamilies_ = nullptr;
    Tffunctions* ffunctions_ = nullptr;
    Tfformulae* fformulae_ = nullptr;
    Tfcoords* fcoords_ = nullptr;
    Tfdelete* fdelete_ = nullptr;
    std::unique_ptr<QPrinter> printer_;
    THelpWindow* help_ = nullptr;
    TPrintForm* printForm_ = nullptr;
    void createAdminDialogs();
    void openAdminTarget();
    int adminTarget_ = ToolbarConfiguration;
    Tfpass* fpass_ = nullptr;
    Tfsetpass* fsetpass_ = nullptr;
    Tfalias* falias_ = nullptr;
    Ttoolbar_cnfg* toolbarCnfg_ = nullptr;
    TEnvironment* environment_ = nullptr;
    TDataMks* dataMks_ = nullptr;

    bool recordMessages_ = false;
    bool recordedAnswer_ = true;
    std::vector<std::string> recorded_;
};

} // namespace kurvo
