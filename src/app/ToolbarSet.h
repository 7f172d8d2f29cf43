// TToolbarSet: the three toolbars built at run time from the toolbar configuration.
#pragma once

#include "Commands.h"
#include "ToolbarConfig.h"

#include <QString>

#include <array>
#include <functional>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMainWindow;
class QSpinBox;
class QToolBar;
class QToolButton;
class QWidget;

namespace kurvo {

/// One of the 43 toolbar items: the caption shown in the configuration dialog and what it creates.
struct TToolbarItem {
    enum class Bar { Button, Range, Formula };
    enum class Kind { Push, Check, Grouped, AllUp, Divider, Field, PlotStep, PlotButton };
    const char* caption;
    Bar bar;
    Kind kind;
    int image; ///< -1 for none
    const char* hint;
    Command command; ///< the command (menu action) the button shares, or Command::None
};

/// Toolbar item numbers that other code refers to.
namespace item {
inline constexpr int OpenFile = 0, PrintGraph = 1, DeleteGraphs = 3, CartesianMode = 5, PolarMode = 6,
                     ImplicitMode = 7, ParametricSwitch = 9, MatrixTransformations = 11,
                     DescriptiveTransformations = 12, PlotCoordinates = 13, AngleMode = 15,
                     PlotStepField = 17, ZoomOut = 19, ZoomIn = 20, MoveGraph = 21, Constants = 23,
                     Families = 24, GraphCoordinates = 26, Tangent = 27, PlotDerivative = 29,
                     PlotIntegral = 30, TMinField = 31, TMaxField = 32, AutoScaling = 34, SquareGraph = 35,
                     PlotGraph = 37, SaveToFile = 39, XSquared = 41, XCubed = 42;
inline constexpr int LastButtonBarItem = 30;
} // namespace item

/// The fixed list of toolbar items, in item order.
const std::array<TToolbarItem, TToolbarConfig::ItemCount>& toolbarItems();

/// Builds and owns (through the window) the button bar, range bar and formula bar. A control exists
/// only when its item is checked; every pointer of an unchecked item is null.
class TToolbarSet {
  public:
    enum RangeField { TMin, TMax, XMin, XMax, YMin, YMax, RangeFieldCount };

    static constexpr int ButtonWidth = 25, ButtonHeight = 24, DividerWidth = 8, RangeFieldWidth = 65;
    static constexpr int PlotStepWidth = 60, RelationBoxWidth = 49, PlotButtonWidth = 73;

    /// Finds the action of a command; buttons share the action of their command.
    using ActionLookup = std::function<QAction*(Command)>;

    /// Destroys the toolbars that exist, then builds them from `config` into `window`. Each command
    /// button shows the action of its command, so its icon, hint, enabled and checked state are the
    /// menu item's.
    void build(QMainWindow& window, const TToolbarConfig& config, const ActionLookup& commands);

    bool has(int itemNumber) const { return config_.items[static_cast<std::size_t>(itemNumber)]; }
    const TToolbarConfig& config() const { return config_; }

    QToolBar* buttonBar = nullptr; ///< null when none of items 0..30 is checked
    QToolBar* rangeBar = nullptr;
    QToolBar* formulaBar = nullptr;

    std::array<QToolButton*, TToolbarConfig::ItemCount> buttons{}; ///< push and check buttons by item
    std::array<QLineEdit*, RangeFieldCount> fields{};              ///< t fields null when unchecked
    std::array<QLabel*, RangeFieldCount> labels{};
    QSpinBox* plotStep = nullptr;
    QComboBox* relationBox = nullptr;
    QComboBox* formulaBox = nullptr;
    QToolButton* plotButton = nullptr;

  private:
    void clear();
    QToolBar* makeBar(QMainWindow& window, const char* name, int height, bool lineAbove, bool lineBelow);
    void addItem(QToolBar* bar, int itemNumber, const ActionLookup& commands);
    void addRangeField(QToolBar* bar, RangeField which, const char* label, const char* hint);

    TToolbarConfig config_;
};

} // namespace kurvo
