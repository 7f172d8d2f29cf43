// TToolbarSet: the toolbar item list and the run-time building of the three toolbars.
#include "ToolbarSet.h"

#include "ButtonImages.h"
#include "DisplayAccess.h"

#include <QAction>
#include <QActionEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QSpinBox>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

namespace kurvo {

namespace {
/// A toolbar button showing a command's action with the button's own hint: the menu item of the
/// same command may have another hint ("Open constant editor" beside "Open constants dialog").
class TCommandButton : public QToolButton {
  public:
    TCommandButton(QString hint, QWidget* parent) : QToolButton(parent), hint_(std::move(hint)) {}

  protected:
    void actionEvent(QActionEvent* event) override {
        QToolButton::actionEvent(event); // takes the action's state, and its tooltip with it
        setToolTip(hint_);
    }

  private:
    QString hint_;
};
} // namespace

const std::array<TToolbarItem, TToolbarConfig::ItemCount>& toolbarItems() {
    using B = TToolbarItem::Bar;
    using K = TToolbarItem::Kind;
    static const std::array<TToolbarItem, TToolbarConfig::ItemCount> items{{
        {"Open file", B::Button, K::Push, 0, "Open File", Command::Open},
        {"Print graph", B::Button, K::Push, 1, "Print graph", Command::Print},
        {"Separator", B::Button, K::Divider, -1, "", Command::None},
        {"Delete graphs", B::Button, K::Push, 2, "Clear graphs", Command::DeleteGraphs},
        {"Separator", B::Button, K::Divider, -1, "", Command::None},
        {"Cartesian mode", B::Button, K::Grouped, 3, "Cartesian mode", Command::Cartesian},
        {"Polar mode", B::Button, K::Grouped, 4, "Polar mode", Command::Polar},
        {"Implicit mode", B::Button, K::Grouped, 5, "Implicit mode", Command::Implicit},
        {"Separator", B::Button, K::Divider, -1, "", Command::None},
        {"Parametric switch", B::Button, K::Push, 6, "Parametric switch", Command::Parametric},
        {"Separator", B::Button, K::Divider, -1, "", Command::None},
        {"Matrix transformations", B::Button, K::Push, 7, "Open matrix transformations dialog", Command::MatrixTransformations},
        {"Descriptive transformations", B::Button, K::Push, 8, "Open descriptive transformations dialog", Command::Transformations},
        {"Plot coordinates", B::Button, K::Push, 9, "Plot points on the graph", Command::CoordinateSets},
        {"Separator", B::Button, K::Divider, -1, "", Command::None},
        {"Angle mode", B::Button, K::Push, 10, "Choose angle mode (Degrees/Radians)", Command::AngleMode},
        {"Separator", B::Button, K::Divider, -1, "", Command::None},
        {"Plot step field", B::Button, K::PlotStep, -1, "Set the plotting step", Command::None},
        {"Separator", B::Button, K::Divider, -1, "", Command::None},
        {"Zoom out", B::Button, K::Push, 11, "Zoom out", Command::ZoomOut},
        {"Zoom in", B::Button, K::AllUp, 12, "Drag zoom in", Command::ZoomIn},
        {"Move graph", B::Button, K::AllUp, 13, "Move graph by dragging", Command::MoveGraph},
        {"Separator", B::Button, K::Divider, -1, "", Command::None},
        {"Constants", B::Button, K::Push, 14, "Open constants dialog", Command::Constants},
        {"Families", B::Button, K::Push, 15, "Open families dialog", Command::Families},
        {"Separator", B::Button, K::Divider, -1, "", Command::None},
        {"Graph coordinates", B::Button, K::Check, 16, "Show coordinate info on status bar", Command::ShowCoordinateInfo},
        {"Tangent to graph", B::Button, K::Check, 17, "Show the tangent to the graph", Command::ShowTangent},
        {"Separator", B::Button, K::Divider, -1, "", Command::None},
        {"Plot derivative", B::Button, K::Check, 18, "Plot the derivative function", Command::PlotDerived},
        {"Plot integral", B::Button, K::Check, 19, "Plot the integral function", Command::PlotIntegral},
        {"t min field", B::Range, K::Field, -1, "Type the minimum value for t (Polar/Parametric modes only)", Command::None},
        {"t max field", B::Range, K::Field, -1, "Type the maximum value for t (Polar/Parametric modes only)", Command::None},
        {"Separator", B::Range, K::Divider, -1, "", Command::None},
        {"Auto scaling", B::Range, K::Check, 20, "Automatic y-scaling", Command::AutoYScaling},
        {"Square graph", B::Range, K::Push, 21, "Square the graph", Command::SquareAxes},
        {"Separator", B::Formula, K::Divider, -1, "", Command::None},
        {"Plot Graph", B::Formula, K::PlotButton, -1, "Plot the graphs", Command::Plot},
        {"Separator", B::Formula, K::Divider, -1, "", Command::None},
        {"Save to file", B::Formula, K::Push, 22, "Save the current formula to the preset menu", Command::AddFormulaToFile},
        {"Separator", B::Formula, K::Divider, -1, "", Command::None},
        {"x squared", B::Formula, K::Push, 23, "Type the \xC2\xB2 symbol", Command::TypeSquared},
        {"x cubed", B::Formula, K::Push, 24, "Type the \xC2\xB3 symbol", Command::TypeCubed},
    }};
    return items;
}

void TToolbarSet::clear() {
    for (QToolBar* bar : {buttonBar, rangeBar, formulaBar})
        if (bar) {
            static_cast<QMainWindow*>(bar->parentWidget())->removeToolBar(bar);
            bar->deleteLater();
            bar->hide();
        }
    buttonBar = rangeBar = formulaBar = nullptr;
    buttons.fill(nullptr);
    fields.fill(nullptr);
    labels.fill(nullptr);
    plotStep = nullptr;
    relationBox = formulaBox = nullptr;
    plotButton = nullptr;
}

QToolBar* TToolbarSet::makeBar(QMainWindow& window, const char* name, int height, bool lineAbove,
                               bool lineBelow) {
    auto* bar = new QToolBar(QString::fromUtf8(name), &window);
    bar->setObjectName(QString::fromUtf8(name));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setIconSize(QSize(18, 18));
    bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    bar->setContextMenuPolicy(Qt::PreventContextMenu);
    QString style = "QToolBar { spacing: 0px; border: none;";
    if (lineAbove) style += " border-top: 1px solid palette(mid);";
    if (lineBelow) style += " border-bottom: 1px solid palette(mid);";
    bar->setStyleSheet(style + " }");
    bar->setProperty("barHeight", height);
    return bar;
}

void TToolbarSet::addRangeField(QToolBar* bar, RangeField which, const char* label, const char* hint) {
    auto* l = new QLabel(QString::fromUtf8(label), bar);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setFixedHeight(24);
    l->setToolTip(QString::fromUtf8(hint));
    auto* f = new QLineEdit(bar);
    f->setFixedWidth(RangeFieldWidth);
    f->setToolTip(QString::fromUtf8(hint));
    l->setBuddy(f);
    f->setAccessibleName(QString::fromUtf8(label).trimmed());
    bar->addWidget(l);
    bar->addWidget(f);
    labels[which] = l;
    fields[which] = f;
}

void TToolbarSet::addItem(QToolBar* bar, int n, const ActionLookup& commands) {
    if (!has(n)) return;
    const TToolbarItem& it = toolbarItems()[static_cast<std::size_t>(n)];
    const QString hint = QString::fromUtf8(it.hint);
    switch (it.kind) {
    case TToolbarItem::Kind::Divider: {
        auto* d = new QWidget(bar);
        d->setFixedWidth(DividerWidth);
        bar->addWidget(d);
        break;
    }
    case TToolbarItem::Kind::PlotStep:
        plotStep = new QSpinBox(bar);
        plotStep->setFixedWidth(PlotStepWidth);
        plotStep->setRange(MinPlotStep, MaxPlotStep); // the range the environment dialog accepts
        plotStep->setSingleStep(128);
        plotStep->setValue(128);
        plotStep->setToolTip(hint);
        plotStep->setAccessibleName(hint);
        bar->addWidget(plotStep);
        break;
    case TToolbarItem::Kind::Field:
        if (n == item::TMinField) addRangeField(bar, TMin, " t min", it.hint);
        if (n == item::TMaxField) addRangeField(bar, TMax, " t max", it.hint);
        break;
    case TToolbarItem::Kind::PlotButton:
        plotButton = new QToolButton(bar);
        plotButton->setObjectName("PlotButton");
        plotButton->setText("   &Plot");
        plotButton->setIcon(buttonImage(PlotGlyphImage));
        plotButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        plotButton->setFixedSize(PlotButtonWidth, ButtonHeight);
        plotButton->setAutoRaise(config_.flatButtons);
        plotButton->setToolTip(hint);
        plotButton->setAccessibleName("Plot");
        if (QAction* plot = commands(it.command))
            QObject::connect(plotButton, &QToolButton::clicked, plot, &QAction::trigger);
        bar->addWidget(plotButton);
        break;
    default: {
        auto* b = new TCommandButton(hint, bar);
        b->setObjectName(QString("Button%1").arg(n));
        // The button is a view of its command's action: the action carries the icon, the hint and
        // the enabled and checked states, so menu item and button can never disagree.
        if (QAction* a = commands(it.command)) {
            b->setDefaultAction(a);
            b->setToolTip(hint);
            b->setProperty("image", a->property("image"));
        } else {
            b->setIcon(buttonImage(it.image));
            b->setToolTip(hint);
        }
        b->setFixedSize(ButtonWidth, ButtonHeight);
        b->setAutoRaise(config_.flatButtons);
        b->setFocusPolicy(Qt::NoFocus);
        b->setAccessibleName(hint);
        bar->addWidget(b);
        buttons[static_cast<std::size_t>(n)] = b;
        break;
    }
    }
}

void TToolbarSet::build(QMainWindow& window, const TToolbarConfig& config, const ActionLookup& commands) {
    clear();
    config_ = config;
    const bool flat = config.flatButtons, lines = config.linesBetweenToolbars;
    bool anyButton = false;
    for (int n = 0; n <= item::LastButtonBarItem; ++n)
        anyButton = anyButton || has(n);

    // Top to bottom: button bar, range bar, formula bar, then the plot area.
    if (anyButton) {
        buttonBar = makeBar(window, "ButtonBar", flat ? 27 : 30, true, false);
        buttonBar->setWindowTitle("Command buttons"); // what a screen reader calls the bar
        window.addToolBar(Qt::TopToolBarArea, buttonBar);
        window.addToolBarBreak(Qt::TopToolBarArea);
    }
    rangeBar = makeBar(window, "RangeBar", flat ? 27 : 30, lines, false);
    rangeBar->setWindowTitle("View range"); // what a screen reader calls the bar
    window.addToolBar(Qt::TopToolBarArea, rangeBar);
    window.addToolBarBreak(Qt::TopToolBarArea);
    formulaBar = makeBar(window, "FormulaBar", flat ? 29 : 32, lines, true);
    formulaBar->setWindowTitle("Formula bar"); // what a screen reader calls the bar
    window.addToolBar(Qt::TopToolBarArea, formulaBar);

    if (buttonBar)
        for (int n = 0; n <= item::LastButtonBarItem; ++n)
            addItem(buttonBar, n, commands);

    addItem(rangeBar, item::TMinField, commands);
    addItem(rangeBar, item::TMaxField, commands);
    addRangeField(rangeBar, XMin, " x min", "Type the minimum value for x");
    addRangeField(rangeBar, XMax, " x max", "Type the maximum value for x");
    addRangeField(rangeBar, YMin, " y min", "Type the minimum value for y");
    addRangeField(rangeBar, YMax, " y max", "Type the maximum value for y");
    // The formula field's width follows the right edge of the y max field.
    int right = rangeBar->style()->pixelMetric(QStyle::PM_ToolBarItemMargin, nullptr, rangeBar);
    for (QLabel* l : labels)
        if (l) right += l->sizeHint().width();
    for (QLineEdit* f : fields)
        if (f) right += RangeFieldWidth;
    for (int n = item::TMaxField + 1; n <= item::SquareGraph; ++n)
        addItem(rangeBar, n, commands);

    relationBox = new TNamedComboBox(formulaBar);
    relationBox->setObjectName("RelationBox");
    relationBox->setEditable(false);
    relationBox->setFixedWidth(RelationBoxWidth);
    QFont f10 = relationBox->font();
    f10.setPointSize(10);
    relationBox->setFont(f10);
    relationBox->setToolTip("Choose equality/inequality graph type");
    relationBox->setAccessibleName("Relation");
    formulaBar->addWidget(relationBox);

    formulaBox = new TNamedComboBox(formulaBar);
    formulaBox->setObjectName("FormulaField");
    formulaBox->setEditable(true);
    formulaBox->setInsertPolicy(QComboBox::NoInsert);
    formulaBox->setFont(f10);
    formulaBox->setMaxVisibleItems(25);
    formulaBox->setToolTip("Formula input field");
    formulaBox->setAccessibleName("Formula");
    // The focus goes into the box's line edit: a reader names it too, never by what it holds.
    formulaBox->lineEdit()->setAccessibleName("Formula");
    // What is typed is what is plotted: no inline completion from the preset list, which would make
    // Enter after "1" plot the preset "1/x".
    formulaBox->setCompleter(nullptr);
    formulaBar->addWidget(formulaBox);
    for (int n = item::SquareGraph + 1; n <= item::XCubed; ++n)
        addItem(formulaBar, n, commands);
    for (QToolBar* bar : {buttonBar, rangeBar, formulaBar})
        if (bar) bar->setFixedHeight(bar->property("barHeight").toInt());
    formulaBox->setFixedWidth(std::max(80, right - RelationBoxWidth - (plotButton ? PlotButtonWidth : 0)));
}

} // namespace kurvo
