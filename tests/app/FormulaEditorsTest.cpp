// The four formula editors in the window: constants, families, user functions and preset formulae.
#include "AppTestSupport.h"

#include "ConstantsDialog.h"
#include "FamiliesDialog.h"
#include "FormulaeDialog.h"
#include "FunctionsDialog.h"

#include <QAbstractButton>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>

namespace kurvo::test {
namespace {

std::size_t at(char letter) {
    return *constantIndex(letter);
}

/// Whether a colour lies within two pixels of a world point of the window's picture.
bool drawnNear(TPlotEngine& e, double x, double y, const QColor& colour) {
    const QImage img = e.composedPicture();
    const int px = e.WorldToPixelX(x), py = e.WorldToPixelY(y);
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx)
            if (img.valid(px + dx, py + dy) && QColor(img.pixel(px + dx, py + dy)).rgb() == colour.rgb())
                return true;
    return false;
}

class FormulaEditorsTest : public AppTest {
  public:
    /// Types a formula into the formula field and presses Enter.
    void plot(const char* formula) {
        formulaEdit()->setText(QString::fromUtf8(formula));
        QTest::keyClick(form->toolbars().formulaBox, Qt::Key_Return);
    }
    std::vector<std::string> messages() const { return form->recordedMessages(); }
};

TEST_F(FormulaEditorsTest, EditorCommandsAreEnabledAndOpenTheirDialogs) {
    open();
    struct Row {
        const char* action;
        QDialog* (*dialog)(TMainForm&);
        const char* caption;
    };
    const Row rows[] = {
        {"Constants1", [](TMainForm& f) -> QDialog* { return f.dialogs().constants(); }, "Constants"},
        {"Families1", [](TMainForm& f) -> QDialog* { return f.dialogs().families(); }, "Families"},
        {"Functions1", [](TMainForm& f) -> QDialog* { return f.dialogs().functions(); }, "Functions"},
        {"Formulae1", [](TMainForm& f) -> QDialog* { return f.dialogs().formulae(); }, "Formulae"},
    };
    for (const Row& row : rows) {
        QDialog* dialog = row.dialog(*form);
        ASSERT_NE(dialog, nullptr) << row.action;
        EXPECT_TRUE(action(row.action)->isEnabled()) << row.action;
        EXPECT_FALSE(dialog->isVisible()) << row.action;
        action(row.action)->trigger();
        EXPECT_TRUE(dialog->isVisible()) << row.action;
        EXPECT_FALSE(dialog->isModal()) << row.action;
        EXPECT_EQ(dialog->windowTitle(), row.caption);
        // Escape is Cancel: the dialog hides and stays for the next time.
        QTest::keyClick(dialog, Qt::Key_Escape);
        EXPECT_FALSE(dialog->isVisible()) << row.action;
        EXPECT_EQ(row.dialog(*form), dialog);
        // Every control can be found by name.
        for (QWidget* w : dialog->findChildren<QWidget*>())
            if (qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractButton*>(w) ||
                qobject_cast<QPlainTextEdit*>(w)) {
                EXPECT_FALSE(w->accessibleName().isEmpty())
                    << row.action << " " << w->objectName().toStdString();
            }
    }
    // The toolbar's Constants and Families buttons show the same commands.
    for (auto [item, dialog] : {std::pair{23, static_cast<QDialog*>(form->dialogs().constants())},
                                {24, static_cast<QDialog*>(form->dialogs().families())}}) {
        ASSERT_NE(button(item), nullptr);
        EXPECT_TRUE(button(item)->isEnabled());
        QTest::mouseClick(button(item), Qt::LeftButton);
        EXPECT_TRUE(dialog->isVisible()) << item;
        dialog->hide();
    }
    EXPECT_TRUE(messages().empty()) << messages().front();
}

// ---- constants ---------------------------------------------------------------------------------------

TEST_F(FormulaEditorsTest, ConstantsReachTheNextFormulaStored) {
    open();
    Tfconstant& d = *form->dialogs().constants();
    action("Constants1")->trigger();
    EXPECT_EQ(d.Edit[at('a')]->text(), "1");
    EXPECT_EQ(d.Edit[at('p')]->text(), "3.14159265358979");
    EXPECT_TRUE(d.Edit[at('e')]->isReadOnly());
    EXPECT_TRUE(d.Edit[at('p')]->isReadOnly());
    d.Edit[at('a')]->setText("2");
    d.Edit[at('b')]->setText("-1");
    d.Edit[at('c')]->setText("0");                    // the "0" rule: becomes 1
    d.Edit[at('d')]->setText("0.0");                  // zero in another form
    d.Edit[at('m')]->setText("");                     // empty: becomes 1
    QTest::keyClick(d.Edit[at('m')], Qt::Key_Return); // Enter is OK
    EXPECT_FALSE(d.isVisible());
    const TSettingsRecord& s = form->settings();
    EXPECT_EQ(s.ConstantValues[at('a')], 2.0L);
    EXPECT_EQ(s.ConstantValues[at('b')], -1.0L);
    EXPECT_EQ(s.ConstantValues[at('c')], 1.0L);
    EXPECT_EQ(s.ConstantValues[at('d')], 0.0L);
    EXPECT_EQ(s.ConstantValues[at('m')], 1.0L);
    EXPECT_EQ(d.Edit[at('c')]->text(), "1");
    EXPECT_EQ(d.Edit[at('m')]->text(), "1");
    EXPECT_EQ(d.Edit[at('d')]->text(), "0.0");

    plot("a*x^2+b");
    TPlotEngine& e = *form->engine();
    EXPECT_TRUE(drawnNear(e, 1, 1, e.graphColour(0)));  // 2·1² - 1
    EXPECT_TRUE(drawnNear(e, 2, 7, e.graphColour(0)));  // 2·2² - 1
    EXPECT_FALSE(drawnNear(e, 2, 3, e.graphColour(0))); // not 1·2² - 1

    // OK with a new value redraws the graphs that use it with the new value at once.
    action("Constants1")->trigger();
    d.Edit[at('a')]->setText("1");
    QTest::mouseClick(d.OKBtn, Qt::LeftButton);
    EXPECT_TRUE(drawnNear(e, 2, 3, e.graphColour(0)));
    EXPECT_FALSE(drawnNear(e, 2, 7, e.graphColour(0)));
    EXPECT_TRUE(messages().empty()) << messages().front();
}

TEST_F(FormulaEditorsTest, ConstantsRefusedOrCancelledChangeNothing) {
    open();
    Tfconstant& d = *form->dialogs().constants();
    const auto before = form->settings().ConstantValues;
    action("Constants1")->trigger();
    d.Edit[at('a')]->setText("5");
    d.Edit[at('q')]->setText("1,5x");
    QTest::mouseClick(d.OKBtn, Qt::LeftButton);
    EXPECT_EQ(messages(), std::vector<std::string>{"'1,5x' is not a valid floating point value"});
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(form->settings().ConstantValues, before); // not even a, before the bad field

    // Cancel keeps the typed text for the next OK, and no constant.
    QTest::mouseClick(d.CancelBtn, Qt::LeftButton);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(form->settings().ConstantValues, before);
    action("Constants1")->trigger();
    EXPECT_EQ(d.Edit[at('a')]->text(), "5");
    EXPECT_EQ(d.Edit[at('q')]->text(), "1,5x");
    d.hide();

    // Constants changed elsewhere (a graph file) are shown, so OK cannot write stale fields over them.
    form->settings().ConstantValues[at('a')] = 7;
    action("Constants1")->trigger();
    EXPECT_EQ(d.Edit[at('a')]->text(), "7");
    EXPECT_EQ(d.Edit[at('q')]->text(), "1");
    QTest::mouseClick(d.OKBtn, Qt::LeftButton);
    EXPECT_EQ(form->settings().ConstantValues[at('a')], 7.0L);
}

// ---- families ----------------------------------------------------------------------------------------

TEST_F(FormulaEditorsTest, AFamilyOfFiveParabolasIsDrawn) {
    open();
    Tffamilies& d = *form->dialogs().families();
    formulaEdit()->setText("a*x^2");
    action("Families1")->trigger();
    QTest::keyClicks(d.Edit1, "5");
    QTest::keyClicks(d.Increment[at('a')], "1");
    QTest::keyClick(d.Edit1, Qt::Key_Return);
    EXPECT_FALSE(d.isVisible());
    EXPECT_TRUE(messages().empty()) << messages().front();
    TPlotEngine& e = *form->engine();
    EXPECT_TRUE(form->settings().FamilyPlotting);
    for (int k = 0; k < 5; ++k) {
        EXPECT_TRUE(drawnNear(e, 1, 1 + k, e.graphColour(k))) << k;
        EXPECT_TRUE(drawnNear(e, -1, 1 + k, e.graphColour(k))) << k;
    }
    EXPECT_EQ(form->settings().ConstantValues[at('a')], 1.0L);
    // The engine reads the dialog's fields at each redraw of the family.
    d.Edit1->setText("3");
    EXPECT_EQ(form->plotHost().familyFields()->count, "3");

    // A new ordinary plot ends family mode.
    plot("x");
    EXPECT_FALSE(form->settings().FamilyPlotting);
}

TEST_F(FormulaEditorsTest, FamilyFieldsAreCheckedBeforeTheDialogHides) {
    open();
    Tffamilies& d = *form->dialogs().families();
    struct Row {
        const char* count;
        const char* stepA;
        const char* message;
    };
    const Row rows[] = {
        {"", "1", msg::FillInNumberOfGraphs},
        {"0", "1", "The number of graphs must be at least 1."},
        {"5", "", msg::NoIncrement},
        {"3", "x", "'x' is not a valid floating point value"},
        {"-", "1", "'-' is not a valid integer value"},
    };
    for (const Row& row : rows) {
        const std::size_t seen = messages().size();
        action("Families1")->trigger();
        d.Edit1->setText(row.count);
        d.Increment[at('a')]->setText(row.stepA);
        QTest::mouseClick(d.OKBtn, Qt::LeftButton);
        ASSERT_EQ(messages().size(), seen + 1) << row.count;
        EXPECT_EQ(messages().back(), row.message);
        EXPECT_TRUE(d.isVisible()) << row.count;
        EXPECT_FALSE(form->settings().FamilyPlotting);
    }
    // Cancel hides and keeps the fields.
    QTest::mouseClick(d.CancelBtn, Qt::LeftButton);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.Edit1->text(), "-");
    EXPECT_FALSE(form->settings().FamilyPlotting);
}

TEST_F(FormulaEditorsTest, TheNumberFieldTakesTwoDigitsAndNoLetters) {
    open();
    Tffamilies& d = *form->dialogs().families();
    action("Families1")->trigger();
    QTest::keyClicks(d.Edit1, "123");
    EXPECT_EQ(d.Edit1->text(), "12");
    QTest::keyClicks(d.Edit1, "x");
    EXPECT_EQ(messages(), std::vector<std::string>{msg::OnlyNumericChars});
    EXPECT_EQ(d.Edit1->text(), "");
    QTest::keyClicks(d.Edit1, "7");
    EXPECT_EQ(d.Edit1->text(), "7");
}

// ---- user functions ----------------------------------------------------------------------------------

TEST_F(FormulaEditorsTest, AFunctionAppliedIsUsedInTheNextFormula) {
    open();
    Tffunctions& d = *form->dialogs().functions();
    action("Functions1")->trigger();
    for (QLineEdit* edit : d.Edit)
        EXPECT_EQ(edit->text(), ""); // the shipped functions are empty
    d.Edit[0]->setText(QString::fromUtf8("x²-1"));
    d.Edit[1]->setText("2f(x)");
    QTest::mouseClick(d.OKBtn, Qt::LeftButton);
    EXPECT_FALSE(d.isVisible());
    EXPECT_TRUE(messages().empty()) << messages().front();
    EXPECT_EQ(data().readLines(datafile::CartesianFunctions),
              (std::vector<std::string>{"x\xB2-1", "2f(x)", "", "", "", "", ""}));
    EXPECT_EQ(data().readLines(datafile::CartesianFunctionExpressions),
              (std::vector<std::string>{"(x^2-1)", "(2*F(x))", "()", "()", "()", "()", "()"}));

    plot("f(x)+1");
    TPlotEngine& e = *form->engine();
    for (double x : {-2.0, 1.0, 2.5})
        EXPECT_TRUE(drawnNear(e, x, x * x, e.graphColour(0))) << x;
    plot("g(x)");
    EXPECT_TRUE(drawnNear(e, 2, 6, e.graphColour(1)));
    EXPECT_TRUE(messages().empty()) << messages().front();
}

TEST_F(FormulaEditorsTest, ARefusedOrCancelledDefinitionChangesNoFileAndNoParser) {
    open();
    Tffunctions& d = *form->dialogs().functions();
    const auto typedBefore = data().readLines(datafile::CartesianFunctions);
    const auto translatedBefore = data().readLines(datafile::CartesianFunctionExpressions);
    const std::string parserBefore = form->engine()->Parsers.UserFunctionParser[0]->Expression();
    struct Row {
        const char* f;
        const char* g;
        const char* message;
    };
    const Row rows[] = {
        {"f(x)+1", "", "Function f calls itself."},
        {"g(x)", "f(x)*2", "Function f calls itself through g."},
        {"x", "sin(x", "Function g: Missing brackets in expression"},
    };
    for (const Row& row : rows) {
        const std::size_t seen = messages().size();
        action("Functions1")->trigger();
        d.Edit[0]->setText(row.f);
        d.Edit[1]->setText(row.g);
        QTest::mouseClick(d.OKBtn, Qt::LeftButton);
        ASSERT_EQ(messages().size(), seen + 1) << row.f;
        EXPECT_EQ(messages().back(), row.message);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(data().readLines(datafile::CartesianFunctions), typedBefore);
        EXPECT_EQ(data().readLines(datafile::CartesianFunctionExpressions), translatedBefore);
        EXPECT_EQ(form->engine()->Parsers.UserFunctionParser[0]->Expression(), parserBefore);
    }
    d.Edit[0]->setText("x+5");
    QTest::mouseClick(d.CancelBtn, Qt::LeftButton);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(data().readLines(datafile::CartesianFunctions), typedBefore);
    EXPECT_EQ(form->engine()->Parsers.UserFunctionParser[0]->Expression(), parserBefore);
    // Showing the dialog again reads the file anew.
    action("Functions1")->trigger();
    EXPECT_EQ(d.Edit[0]->text(), "");
}

TEST_F(FormulaEditorsTest, FunctionsFollowTheMode) {
    data().writeLines(datafile::PolarFunctions, {"2t", "", "", "", "", "", ""});
    data().writeLines(datafile::PolarFunctionExpressions, {"(2*t)", "()", "()", "()", "()", "()", "()"});
    open();
    Tffunctions& d = *form->dialogs().functions();
    action("Polar1")->trigger();
    // The parsers take the polar functions with the switch, the dialog shows them.
    EXPECT_EQ(form->engine()->Parsers.UserFunctionParser[0]->Expression(), "(2*t)");
    action("Functions1")->trigger();
    EXPECT_EQ(d.Edit[0]->text(), "2t");
    d.hide();

    for (const char* mode : {"Parametric1", "Implicit1"}) {
        action(mode)->trigger();
        const std::size_t seen = messages().size();
        action("Functions1")->trigger();
        EXPECT_FALSE(d.isVisible()) << mode;
        ASSERT_EQ(messages().size(), seen + 1);
        EXPECT_EQ(messages().back(), "Sorry Functions are not available in Parametric or Implicit modes.");
    }
}

TEST_F(FormulaEditorsTest, SquaredAndCubedButtonsTypeAtTheCaret) {
    open();
    Tffunctions& d = *form->dialogs().functions();
    action("Functions1")->trigger();
    d.Edit[0]->setText("x+1");
    d.Edit[0]->setFocus();
    d.Edit[0]->setCursorPosition(1);
    QTest::mouseClick(d.SpeedButton21, Qt::LeftButton);
    EXPECT_EQ(d.Edit[0]->text(), QString::fromUtf8("x²+1"));
    EXPECT_EQ(d.Edit[0]->cursorPosition(), 2);
    QTest::mouseClick(d.SpeedButton22, Qt::LeftButton);
    EXPECT_EQ(d.Edit[0]->text(), QString::fromUtf8("x²³+1"));
    // With the focus on a button nothing is typed.
    d.OKBtn->setFocus();
    QTest::mouseClick(d.SpeedButton21, Qt::LeftButton);
    EXPECT_EQ(d.Edit[0]->text(), QString::fromUtf8("x²³+1"));
}

// ---- preset formulae ---------------------------------------------------------------------------------

TEST_F(FormulaEditorsTest, TheEditedPresetListFillsTheFormulaField) {
    open();
    Tfformulae& d = *form->dialogs().formulae();
    action("Formulae1")->trigger();
    EXPECT_EQ(d.Memo1->toPlainText().split('\n'), fileItems(datafile::CartesianPresets));
    d.Memo1->setPlainText(QString::fromUtf8("x³-x\nsin(x)\n"));
    QTest::mouseClick(d.OKBtn, Qt::LeftButton);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(fileItems(datafile::CartesianPresets), (QStringList{QString::fromUtf8("x³-x"), "sin(x)"}));
    EXPECT_EQ(formulaItems(), (QStringList{QString::fromUtf8("x³-x"), "sin(x)"}));
    EXPECT_EQ(formulaEdit()->text(), QString::fromUtf8("x³-x"));

    // Polar mode edits the polar list; Cartesian mode shows its own list again.
    const QStringList cartesian = fileItems(datafile::CartesianPresets);
    action("Polar1")->trigger();
    action("Formulae1")->trigger();
    d.Memo1->setPlainText("2sin(3t)");
    QTest::mouseClick(d.OKBtn, Qt::LeftButton);
    EXPECT_EQ(fileItems(datafile::PolarPresets), QStringList{"2sin(3t)"});
    EXPECT_EQ(fileItems(datafile::CartesianPresets), cartesian);
    action("Cart1")->trigger();
    action("Formulae1")->trigger();
    EXPECT_EQ(d.Memo1->toPlainText(), cartesian.join('\n'));

    // An emptied list saves an empty file and leaves the formula field empty.
    d.Memo1->clear();
    QTest::mouseClick(d.OKBtn, Qt::LeftButton);
    EXPECT_EQ(data().readLines(datafile::CartesianPresets), std::vector<std::string>{});
    EXPECT_EQ(form->toolbars().formulaBox->count(), 0);
    EXPECT_EQ(formulaEdit()->text(), "");
    EXPECT_TRUE(messages().empty()) << messages().front();
}

TEST_F(FormulaEditorsTest, CancelledPresetEditsAreNotSaved) {
    open();
    Tfformulae& d = *form->dialogs().formulae();
    const QStringList before = fileItems(datafile::CartesianPresets);
    const QStringList itemsBefore = formulaItems();
    action("Formulae1")->trigger();
    d.Memo1->setPlainText("x");
    QTest::keyClick(d.Memo1, Qt::Key_Escape);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(fileItems(datafile::CartesianPresets), before);
    EXPECT_EQ(formulaItems(), itemsBefore);
    // Showing it again loads the file, not the cancelled text.
    action("Formulae1")->trigger();
    EXPECT_EQ(d.Memo1->toPlainText().split('\n'), before);
}

TEST_F(FormulaEditorsTest, SquaredGoesIntoALongListAtTheCaret) {
    open();
    Tfformulae& d = *form->dialogs().formulae();
    action("Formulae1")->trigger();
    const QString longLine(300, 'x');
    d.Memo1->setPlainText(longLine + "\n" + longLine);
    QTextCursor cursor = d.Memo1->textCursor();
    cursor.setPosition(290);
    d.Memo1->setTextCursor(cursor);
    d.Memo1->setFocus();
    QTest::mouseClick(d.SpeedButton21, Qt::LeftButton);
    EXPECT_EQ(d.Memo1->toPlainText(),
              QString(290, 'x') + QString::fromUtf8("²") + QString(10, 'x') + "\n" + longLine);
    EXPECT_EQ(d.Memo1->textCursor().position(), 291);
    // The window's "Type ²" command types into the list while it has the dialog's focus and the
    // formula field has none.
    formulaEdit()->clearFocus();
    const QString formula = formulaEdit()->text();
    action("TypeSquared")->trigger();
    EXPECT_EQ(formulaEdit()->text(), formula);
    EXPECT_EQ(d.Memo1->toPlainText().left(293), QString(290, 'x') + QString::fromUtf8("²²") + "x");
}

} // namespace
} // namespace kurvo::test
