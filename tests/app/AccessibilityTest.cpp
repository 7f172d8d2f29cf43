// What a screen reader reads of every window: names of controls, texts of displays, the plot keys.
#include "AppTestSupport.h"

#include "AboutBox.h"
#include "AliasDialog.h"
#include "ConstantsDialog.h"
#include "CoordsDialog.h"
#include "DataMarksDialog.h"
#include "DeleteDialog.h"
#include "DisplayAccess.h"
#include "EnvironmentDialog.h"
#include "FamiliesDialog.h"
#include "FormulaeDialog.h"
#include "FunctionsDialog.h"
#include "HelpWindow.h"
#include "MatrixDialog.h"
#include "NumLab.h"
#include "PasswordDialog.h"
#include "PrintForm.h"
#include "RegressionDialog.h"
#include "SetPasswordDialog.h"
#include "StatisticsDialog.h"
#include "ToolbarConfigDialog.h"
#include "TransformDialog.h"

#include <QAccessible>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>

#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <set>

namespace kurvo::test {
namespace {

using F = TToolbarSet::RangeField;

bool isControl(QAccessible::Role role) {
    static const std::set<QAccessible::Role> controls = {
        QAccessible::PushButton,     QAccessible::CheckBox, QAccessible::RadioButton, QAccessible::ComboBox,
        QAccessible::EditableText,   QAccessible::SpinBox,  QAccessible::Slider,      QAccessible::ButtonMenu,
        QAccessible::ButtonDropDown, QAccessible::List,     QAccessible::Table,       QAccessible::Canvas};
    return controls.count(role) > 0;
}

/// The text a screen reader gets besides the name: the text interface's, else the value (a list's
/// value is its name).
QString contentOf(QAccessibleInterface* a) {
    if (QAccessibleTextInterface* t = a->textInterface()) return t->text(0, t->characterCount());
    if (a->role() == QAccessible::List || a->role() == QAccessible::Table) return {};
    return a->text(QAccessible::Value);
}

/// What a display shows on the screen, for the displays that paint or format their own text.
std::optional<QString> shownBy(QObject* o) {
    if (auto* lab = qobject_cast<TNumLab*>(o)) return lab->shownText();
    if (auto* label = qobject_cast<TDisplayLabel*>(o)) return label->text().remove(QChar(0x200B));
    return std::nullopt;
}

/// Walks a window's accessible tree and lists every fault: a control without a name, named by its
/// content or named like another control of the window; a display whose text is not what it shows.
QStringList faults(QWidget* window) {
    QStringList found;
    std::map<QString, int> names;
    std::function<void(QAccessibleInterface*, QAccessibleInterface*)> walk =
        [&](QAccessibleInterface* a, QAccessibleInterface* parent) {
            if (!a || a->state().invisible) return;
            const QString name = a->text(QAccessible::Name);
            const QString where = QString("%1 '%2' (%3)")
                                      .arg(a->object() ? a->object()->metaObject()->className() : "?", name,
                                           a->object() ? a->object()->objectName() : "");
            // The line edit of an editable combo box is part of the box, which carries the name.
            const bool partOfCombo = parent && parent->role() == QAccessible::ComboBox;
            if (isControl(a->role()) && !partOfCombo) {
                const QString content = contentOf(a);
                if (name.trimmed().isEmpty())
                    found << "no name: " + where;
                else if (!content.isEmpty() && name == content)
                    found << "named by its content: " + where;
                else
                    ++names[name];
            }
            if (const std::optional<QString> shown = shownBy(a->object())) {
                QAccessibleTextInterface* t = a->textInterface();
                if (!t)
                    found << "no text: " + where;
                else if (t->text(0, t->characterCount()) != *shown)
                    found << "text is not what it shows: " + where;
                if (name.isEmpty() || name == *shown) found << "display named by its value: " + where;
            }
            for (int i = 0; i < a->childCount(); ++i)
                walk(a->child(i), a);
        };
    walk(QAccessible::queryAccessibleInterface(window), nullptr);
    for (const auto& [name, count] : names)
        if (count > 1) found << QString("%1 controls named '%2'").arg(count).arg(name);
    return found;
}

class Accessibility : public AppTest {
  protected:
    void plot(const char* formula) {
        formulaEdit()->setText(formula);
        QTest::keyClick(form->toolbars().formulaBox, Qt::Key_Return);
    }
    void typePoints(const QString& points) {
        action("CoordinateSets1")->trigger();
        form->dialogs().coords()->Memo1->setPlainText(points);
        QTest::mouseClick(form->dialogs().coords()->OKBtn, Qt::LeftButton);
    }
    QStringList view() {
        return {field(F::XMin)->text(), field(F::XMax)->text(), field(F::YMin)->text(),
                field(F::YMax)->text()};
    }
    void key(int k, Qt::KeyboardModifiers m = {}) { QTest::keyClick(form->paintBox(), Qt::Key(k), m); }
};

TEST_F(Accessibility, EveryWindowNamesItsControlsAndShowsItsValues) {
    open();
    plot("sin(x)");
    typePoints("1,2\n2,4\n3,7\n");
    auto show = [](QWidget* w) {
        w->show();
        QCoreApplication::processEvents();
        return w;
    };
    TAboutBox about(form.get()); // shown modal by its command
    auto byMenu = [this](const char* command, auto dialog) {
        return [this, command, dialog]() -> QWidget* {
            action(command)->trigger();
            QCoreApplication::processEvents();
            return dialog();
        };
    };
    const std::pair<const char*, std::function<QWidget*()>> windows[] = {
        {"main window", [this] { return form.get(); }},
        {"statistics", byMenu("Statistics1", [this] { return form->dialogs().statistics(); })},
        {"regression", byMenu("Regression1", [this] { return form->dialogs().regression(); })},
        {"transformations", byMenu("Transforms1", [this] { return form->dialogs().transform(); })},
        {"matrix", byMenu("Matrix1", [this] { return form->dialogs().matrix(); })},
        {"constants", byMenu("Constants1", [this] { return form->dialogs().constants(); })},
        {"families", byMenu("Families1", [this] { return form->dialogs().families(); })},
        {"functions", byMenu("Functions1", [this] { return form->dialogs().functions(); })},
        {"formulae", byMenu("Formulae1", [this] { return form->dialogs().formulae(); })},
        {"coordinates", byMenu("CoordinateSets1", [this] { return form->dialogs().coords(); })},
        {"delete", byMenu("Delete1", [this] { return form->dialogs().deletion(); })},
        {"environment", byMenu("Environment1", [this] { return form->dialogs().environment(); })},
        {"password", byMenu("ConfigureToolbar1", [this] { return form->dialogs().password(); })},
        {"set password", byMenu("SetPassword1", [this] { return form->dialogs().setPassword(); })},
        {"help", byMenu("Help2", [this] { return form->dialogs().help(); })},
        {"data marks", [&] { return show(form->dialogs().dataMarks()); }},
        {"aliases", [&] { return show(form->dialogs().alias()); }},
        {"toolbar configuration", [&] { return show(form->dialogs().toolbarConfig()); }},
        {"print", [&] { return show(form->dialogs().printForm()); }},
        {"about", [&] { return show(&about); }},
    };
    for (const auto& [title, opener] : windows) {
        QWidget* w = opener();
        ASSERT_NE(w, nullptr) << title;
        EXPECT_TRUE(w->isVisible()) << title;
        QStringList found = faults(w);
        for (QTabWidget* tabs : w->findChildren<QTabWidget*>()) // every page of a tabbed dialog
            for (int i = 1; i < tabs->count() && tabs->window() == w; ++i) {
                tabs->setCurrentIndex(i);
                QCoreApplication::processEvents();
                found += faults(w);
            }
        EXPECT_EQ(found.join('\n').toStdString(), "") << title;
        if (w != form.get()) w->hide();
    }
}

TEST_F(Accessibility, DisplaysReadTheirValuesAsTheyChange) {
    open();
    typePoints("1,2\n2,4\n3,7\n");
    action("Statistics1")->trigger();
    action("Regression1")->trigger();
    Tfregression* r = form->dialogs().regression();
    // Name and text as a reader says them: "Mean (x), 2".
    const std::tuple<QObject*, QString, QString> read[] = {
        {form->dialogs().statistics()->label("meanx"), "Mean (x)", "2"},
        {form->dialogs().statistics()->label("num_pts"), "Number of Points", "3"},
        {r->linear_eq, "Linear fit equation", QString::fromStdString(r->linear().equation)},
        {r->poly_eq, "Polynomial fit equation", QString::fromStdString(r->polynomial().equation)},
        {r->NumLab1, "Fit Quality", QString::fromStdString(r->polynomial().quality)},
    };
    for (const auto& [object, name, text] : read) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(object);
        ASSERT_NE(a, nullptr) << name.toStdString();
        EXPECT_EQ(a->text(QAccessible::Name), name);
        ASSERT_NE(a->textInterface(), nullptr) << name.toStdString();
        EXPECT_EQ(a->textInterface()->text(0, -1), text) << name.toStdString();
    }
    // Choosing the linear fit changes the quality shown, and what a reader gets.
    r->RadioButton1->click();
    EXPECT_EQ(QAccessible::queryAccessibleInterface(r->NumLab1)->textInterface()->text(0, -1),
              QString::fromStdString(r->linear().quality));
    // The formula field: named by its purpose, its content as its text.
    formulaEdit()->setText("sin(x)");
    QAccessibleInterface* formula = QAccessible::queryAccessibleInterface(form->toolbars().formulaBox);
    EXPECT_EQ(formula->text(QAccessible::Name), "Formula");
    EXPECT_EQ(formula->text(QAccessible::Value), "sin(x)");
    EXPECT_EQ(
        QAccessible::queryAccessibleInterface(form->paintBox())->text(QAccessible::Description).toStdString(),
        "No graphs drawn. 3 data points in 1 set");
}

TEST_F(Accessibility, PlotKeysMoveZoomAndReadTheView) {
    const std::tuple<int, Qt::KeyboardModifiers, TPlotKey> keys[] = {
        {Qt::Key_Left, {}, TPlotKey::MoveLeft},
        {Qt::Key_Up, Qt::KeypadModifier, TPlotKey::MoveUp},
        {Qt::Key_Plus, Qt::ShiftModifier, TPlotKey::ZoomIn},
        {Qt::Key_Equal, {}, TPlotKey::ZoomIn},
        {Qt::Key_Minus, Qt::KeypadModifier, TPlotKey::ZoomOut},
        {Qt::Key_Space, {}, TPlotKey::ReadCentre},
        {Qt::Key_Plus, Qt::ControlModifier, TPlotKey::None},
        {Qt::Key_Right, Qt::AltModifier, TPlotKey::None},
        {Qt::Key_A, {}, TPlotKey::None}};
    for (const auto& [k, m, want] : keys)
        EXPECT_EQ(plotKeyFor(k, m), want) << k << " " << m;

    open();
    plot("x^2");
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    form->paintBox()->setFocus();
    const TPlotView v = form->engine()->currentView();
    // A tenth of the plot area in pixels, in units: what one arrow moves the view.
    const double tx = (v.PlotWidth / 10) * 20.0 / v.PlotWidth, ty = (v.PlotHeight / 10) * 14.0 / v.PlotHeight;
    const std::tuple<int, double, double> moves[] = {
        {Qt::Key_Right, tx, 0}, {Qt::Key_Left, -tx, 0}, {Qt::Key_Up, 0, ty}, {Qt::Key_Down, 0, -ty}};
    for (const auto& [k, dx, dy] : moves) {
        key(k);
        EXPECT_NEAR(field(F::XMin)->text().toDouble(), -10 + dx, 1e-4) << k;
        EXPECT_NEAR(field(F::YMax)->text().toDouble(), 7 + dy, 1e-4) << k;
        key(Qt::Key_Z, Qt::ControlModifier); // each move is undone as one step
        EXPECT_EQ(view(), (QStringList{"-10", "10", "-7", "7"})) << k;
    }
    key(Qt::Key_Plus, Qt::ShiftModifier);
    EXPECT_EQ(view(), (QStringList{"-8", "8", "-5.6", "5.6"}));
    key(Qt::Key_Minus);
    EXPECT_EQ(view(), (QStringList{"-10", "10", "-7", "7"}));

    // The space bar reads the graph nearest the centre: a second graph far away is passed over.
    field(F::XMin)->setText("0");
    field(F::XMax)->setText("4");
    field(F::YMin)->setText("0");
    field(F::YMax)->setText("16");
    plot("x^2");
    plot("x+100");
    if (form->settings().ShowCoordinateInfo) action("ShowCoordinateInfo1")->trigger();
    key(Qt::Key_Space);
    EXPECT_TRUE(form->settings().ShowCoordinateInfo) << "reading shows the status bar";
    // The plot area, smaller by the status bar, is drawn again; the cross-hair stays on the graph.
    QTest::qWait(50);
    ASSERT_TRUE(form->paintBox()->overlays().crossHair);
    EXPECT_EQ(form->paintBox()->overlays().crossHair->x(), form->engine()->currentView().PlotWidth / 2);
    EXPECT_EQ(form->engine()->currentView().PlotHeight, form->paintBox()->height());
    EXPECT_EQ(formulaEdit()->text(), "x^2");
    const double x = form->gestures().panelText(0).mid(3).toDouble(),
                 y = form->gestures().panelText(1).mid(3).toDouble();
    EXPECT_NEAR(x, 2, 0.05);
    EXPECT_NEAR(y, x * x, 1e-4);
    EXPECT_NEAR(form->paintBox()->overlays().crossHair->y(), form->engine()->WorldToPixelY(y), 1);
    EXPECT_TRUE(form->gestures().panelText(4).startsWith("dy/dx= ")) << form->gestures().panelText(4).toStdString();
    // The plot area tells what it shows.
    QAccessibleInterface* area = QAccessible::queryAccessibleInterface(form->paintBox());
    EXPECT_EQ(area->text(QAccessible::Name), "Plot area");
    // Its text is the readout, so a reader speaks what the key read.
    QStringList read;
    for (int i = 0; i < 5; ++i)
        read << form->gestures().panelText(i);
    ASSERT_NE(area->textInterface(), nullptr);
    EXPECT_EQ(area->textInterface()->text(0, -1), read.join("  "));
    EXPECT_EQ(area->text(QAccessible::Description).toStdString(), "Graphs drawn: x^2; x+100");
    EXPECT_TRUE(form->recordedMessages().empty()) << form->recordedMessages().front();
}

} // namespace
} // namespace kurvo::test
