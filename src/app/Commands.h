// TCommands: every command of the window, declared once, and the menus built from them.
#pragma once

#include "PlotMode.h"
#include "ExtensionSettings.h"
#include "SettingsRecord.h"

#include <QString>

#include <array>
#include <functional>
#include <vector>

class QAction;
class QMainWindow;
class QMenu;

namespace kurvo {

/// The window's commands. Menus, toolbars, the pop-up menu and the tests find them by this key.
enum class Command {
    // File
    SaveDataset, SavePicture, SaveGraphFile, Open, PrinterSetup, Print, Exit,
    // Edit
    Undo, Redo,
    // Settings
    Environment, ConfigureToolbar, SetPassword, DeleteGraphs, Cartesian, Polar, Implicit, Parametric,
    Radians, Degrees, ShowCoordinateInfo, ShowTangent, PlotDerived, PlotIntegral, AutoYScaling, SquareAxes,
    SmoothImplicitCurves, AntialiasedCurves, AddFormulaToFile,
    // Zooms
    ZoomOut, ZoomIn, MoveGraph, EqualScale, ZoomInCentre, ZoomOutCentre, DefaultView,
    // Editors
    Constants, Families, Functions, Formulae, CoordinateSets, FunctionAliases,
    // Data Sets
    Transformations, MatrixTransformations, Statistics, Regression,
    // Help
    HelpContents, Tutorial, About,
    // the pop-up menu
    Plot, CopyToClipboard, UndoLastAction,
    // toolbar buttons only
    AngleMode, TypeSquared, TypeCubed,
    None ///< no command (a toolbar item that is a field or a divider)
};
inline constexpr int CommandCount = static_cast<int>(Command::None);

/// The menu bar's menus and the plot area's pop-up menu, in menu bar order.
enum class Menu { File, Edit, Settings, Zooms, Editors, DataSets, Help, Popup, None };
inline constexpr int MenuCount = static_cast<int>(Menu::None);

/// What the enabled and checked states and the images of the commands follow from.
struct TCommandState {
    const TSettingsRecord& settings;
    TPlotMode mode;
    TExtensionSettings options;
    bool dataSets = false; ///< the drawing has data sets
    bool zoomMode = false;
    bool moveMode = false;
};

/// One command: its key, its place (menu, and a separator line before it), how it looks (object
/// name, text, hint, shortcuts, image) and its rules. A rule left empty means always enabled, not
/// checkable, and the fixed image. `run` is what it does.
struct TCommandDef {
    using Rule = bool (*)(const TCommandState&);
    using ImageRule = int (*)(const TCommandState&);
    enum class Check { None, Toggle, ModeGroup, AngleGroup };

    Command id;
    Menu menu;
    bool separatorBefore;
    const char* objectName; ///< kept stable: screen readers and the tests see it
    const char* text;
    const char* hint;
    const char* shortcuts; ///< portable key texts, separated by "; " ("Ctrl++; Ctrl+=")
    int image;             ///< button image, -1 for none
    Check check = Check::None;
    Rule enabled = nullptr;
    Rule checked = nullptr;
    ImageRule imageRule = nullptr;
    std::function<void()> run;
    /// Ignored while a plot runs (the view commands: the plot owns the view meanwhile).
    bool idleOnly = false;
};

/// Owns the window's actions, one per command, and the menus built from them. Adding a command
/// is one value of `Command` and one row of the window's command table.
class TCommands {
  public:
    /// Builds the actions and menus into `window`; every action is also the window's, so its
    /// shortcut works while its menu is closed. `wrap` runs a triggered command (the window's
    /// error boundary).
    void build(QMainWindow& window, std::vector<TCommandDef> defs,
               const std::function<void(const TCommandDef&)>& wrap);

    QAction* action(Command c) const { return actions_[static_cast<std::size_t>(c)]; }
    QMenu* menu(Menu m) const { return menus_[static_cast<std::size_t>(m)]; }
    QMenu* popupMenu() const { return menu(Menu::Popup); }
    const TCommandDef& definition(Command c) const { return defs_[static_cast<std::size_t>(c)]; }

    /// Sets every command's enabled and checked state and image from `state`, and only here.
    void update(const TCommandState& state);

  private:
    void setImage(QAction* a, int image);

    std::vector<TCommandDef> defs_; ///< indexed by Command
    std::array<QAction*, CommandCount> actions_{};
    std::array<QMenu*, MenuCount> menus_{};
};

} // namespace kurvo
