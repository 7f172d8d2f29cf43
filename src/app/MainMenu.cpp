// TMainMenu: the menu table and its construction.
#include "MainMenu.h"

#include <QAction>
#include <QActionGroup>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include <stdexcept>

namespace kurvo {
namespace {

/// One menu entry: name, caption ("-" for a separator), hint, radio group (0 none) or checkable.
struct MenuRow {
    const char* name;
    const char* caption;
    const char* hint;
    int radioGroup;
    bool checkable;
};

struct MenuDefinition {
    const char* name;
    const char* caption;
    const char* hint;
    std::initializer_list<MenuRow> rows;
};

const MenuDefinition Menus[] = {
    {"File1",
     "&File",
     "",
     {{"Save1", "Save As &Dataset", "", 0, false},
      {"SaveasPicture1", "Save as &Picture", "", 0, false},
      {"SaveasKurvoFile1", "Save as &KurvoFile", "", 0, false},
      {"Open1", "&Open", "", 0, false},
      {"N1", "-", "", 0, false},
      {"PrinterSetup1", "Printer Setup", "", 0, false},
      {"Print", "&Print", "", 0, false},
      {"N4", "-", "", 0, false},
      {"Stop1", "E&xit", "", 0, false}}},
    {"Edit1", "&Edit", "", {{"Undo1", "&Undo", "", 0, false}, {"Redo1", "&Redo", "", 0, false}}},
    {"Edit3",
     "&Settings",
     "",
     {{"Environment1", "E&nvironment", "", 0, false},
      {"ConfigureToolbar1", "&Configure Toolbar  (Admin only)", "", 0, false},
      {"N2", "-", "", 0, false},
      {"SetPassword1", "Set P&assword (Admin only)", "", 0, false},
      {"N18", "-", "", 0, false},
      {"Delete1", "&Delete Graphs", "", 0, false},
      {"N6", "-", "", 0, false},
      {"Cart1", "&Cartesian", "", 1, true},
      {"Polar1", "&Polar", "", 1, true},
      {"Implicit1", "&Implicit", "", 1, true},
      {"N7", "-", "", 0, false},
      {"Parametric1", "&Parametric", "", 0, true},
      {"N8", "-", "", 0, false},
      {"Radians1", "&Radians", "", 2, true},
      {"Degrees1", "De&grees", "", 2, true},
      {"N9", "-", "", 0, false},
      {"ShowCoordinateInfo1", "Show C&oordinate Info", "", 0, true},
      {"ShowTangent1", "Show &Tangent to graph", "", 0, true},
      {"N10", "-", "", 0, false},
      {"PlotDerivedFunction1", "Plot D&erived Function", "", 0, true},
      {"PlotIntegralFunction1", "Plot I&ntegral Function", "", 0, true},
      {"N11", "-", "", 0, false},
      {"Automaticyscaling1", "Automatic &y-scaling", "", 0, true},
      {"N12", "-", "", 0, false},
      {"Square1", "&Square x  and y axes", "", 0, true},
      {"N20", "-", "", 0, false},
      {"SmoothImplicitCurves1", "Smooth implicit curves", "Trace general relations as smooth curves", 0,
       true},
      {"AntialiasedCurves1", "Antialiased curves", "Draw curves with smooth edges", 0, true},
      {"N13", "-", "", 0, false},
      {"Addformulatofile1", "&Add formula to file", "", 0, false}}},
    {"Zooms",
     "&Zooms",
     "",
     {{"Zoomout1", "Zoom out", "", 0, false},
      {"Zoomin1", "Zoom in", "", 0, true},
      {"Movegraph1", "Move graph", "", 0, true},
      {"N20", "-", "", 0, false},
      {"EqualScale1", "Equal scale", "", 0, false},
      {"ZoomInCentre1", "Zoom in about centre", "", 0, false},
      {"ZoomOutCentre1", "Zoom out about centre", "", 0, false},
      {"DefaultView1", "Default view", "", 0, false}}},
    {"Effects2",
     "&Editors",
     "",
     {{"Constants1", "&Constants", "Open constant editor", 0, false},
      {"Families1", "Fa&milies", "Open families editor", 0, false},
      {"N3", "-", "", 0, false},
      {"Functions1", "F&unctions", "Open functions editor", 0, false},
      {"Formulae1", "&Formulae", "Open formulas editor", 0, false},
      {"N14", "-", "", 0, false},
      {"CoordinateSets1", "&Coordinate Sets", "Open coordinates editor", 0, false},
      {"N16", "-", "", 0, false},
      {"FunctionAliases1", "Function Aliases  (Admin only)", "Open function alias editor", 0, false}}},
    {"Datasets",
     "Data Sets",
     "",
     {{"Transforms1", "Descriptive &Transformations", "", 0, false},
      {"Matrix1", "&Matrix Tranformations", "", 0, false},
      {"N5", "-", "", 0, false},
      {"Statistics1", "&Statistics", "", 0, false},
      {"Regression1", "&Regression", "", 0, false}}},
    {"Help1",
     "&Help",
     "Help topics",
     {{"Help2", "Kurvo &Help Contents", "", 0, false},
      {"KurvoTutorial1", "Kurvo Help &Tutorial", "", 0, false},
      {"N15", "-", "", 0, false},
      {"HelpAboutItem", "&About Kurvo", "", 0, false}}},
};

const MenuDefinition Popup = {"PopupMenu1",
                              "",
                              "",
                              {{"Plot", "&Plot Graph", "", 0, false},
                               {"N19", "-", "", 0, false},
                               {"CopytoCliboard1", "&Copy Graph to Clipboard", "", 0, false},
                               {"N17", "-", "", 0, false},
                               {"Undolastaction1", "&Undo last action", "", 0, false}}};

/// Commands that only a toolbar button gives.
const MenuRow ToolbarOnly[] = {{"AngleMode", "Angle mode", "", 0, false},
                               {"TypeSquared", "Type \xC2\xB2", "", 0, false},
                               {"TypeCubed", "Type \xC2\xB3", "", 0, false}};

} // namespace

QAction* TMainMenu::action(const QString& name) const {
    QAction* a = actions_.value(name, nullptr);
    if (!a) throw std::logic_error("No command named " + name.toStdString());
    return a;
}

void TMainMenu::build(QMainWindow& window) {
    QHash<int, QActionGroup*> groups;
    auto fill = [&](QMenu* menu, const MenuDefinition& def) {
        menu->setObjectName(def.name);
        menu->setToolTipsVisible(true);
        menus_.insert(def.name, menu);
        for (const MenuRow& row : def.rows) {
            QAction* a = QString(row.caption) == "-" ? menu->addSeparator()
                                                     : menu->addAction(QString::fromUtf8(row.caption));
            a->setObjectName(row.name);
            if (*row.hint) {
                a->setToolTip(row.hint);
                a->setStatusTip(row.hint);
            }
            a->setCheckable(row.checkable);
            a->setIconVisibleInMenu(false);
            if (row.radioGroup) {
                QActionGroup*& g = groups[row.radioGroup];
                if (!g) g = new QActionGroup(&window);
                g->addAction(a);
            }
            actions_.insert(row.name, a);
        }
    };
    for (const MenuDefinition& def : Menus) {
        QMenu* menu = window.menuBar()->addMenu(QString::fromUtf8(def.caption));
        fill(menu, def);
        menu->menuAction()->setObjectName(def.name);
        if (*def.hint) menu->menuAction()->setToolTip(def.hint);
        actions_.insert(def.name, menu->menuAction());
    }
    popup_ = new QMenu(&window);
    fill(popup_, Popup);
    for (const MenuRow& row : ToolbarOnly) {
        auto* a = new QAction(QString::fromUtf8(row.caption), &window);
        a->setObjectName(row.name);
        window.addAction(a);
        actions_.insert(row.name, a);
    }
    actions_.value("Help2")->setShortcut(QKeySequence::HelpContents); // F1
    actions_.value("Cart1")->setChecked(true);
    actions_.value("Radians1")->setChecked(true);
}

} // namespace kurvo
