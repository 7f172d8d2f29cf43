// Undo and redo in the window, the caption with the file name and change mark, and the question
// before a changed drawing is closed or replaced.
#include "AppTestSupport.h"

#include "DrawingEdits.h"
#include "GraphFile.h"
#include "GraphFileApply.h"

#include <QMenuBar>

namespace kurvo::test {
namespace {

class HistoryTest : public AppTest {
  protected:
    void plot(const char* formula) {
        formulaEdit()->setText(formula);
        QTest::keyClick(form->toolbars().formulaBox, Qt::Key_Return);
    }
    std::vector<std::string> savedFormulas() { return graphFileOf(form->engine()->Document).formulas; }
    QString xmax() { return field(TToolbarSet::RangeField::XMax)->text(); }
};

TEST_F(HistoryTest, TheEditMenuFollowsFileWithUndoAndRedoAndTheirKeys) {
    open();
    const QList<QAction*> menus = form->menuBar()->actions();
    ASSERT_GE(menus.size(), 2);
    EXPECT_EQ(menus[0]->objectName(), "File1");
    EXPECT_EQ(menus[1]->objectName(), "Edit1");
    EXPECT_EQ(action("Undo1")->text(), "&Undo");
    EXPECT_EQ(action("Redo1")->text(), "&Redo");
    EXPECT_EQ(action("Undo1")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    EXPECT_EQ(action("Redo1")->shortcuts(),
              (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)}));
    // A new window: nothing to undo, nothing to save, the plain caption.
    EXPECT_FALSE(action("Undo1")->isEnabled());
    EXPECT_FALSE(action("Redo1")->isEnabled());
    EXPECT_EQ(form->windowTitle(), "Kurvo32 Graph Editor");
}

TEST_F(HistoryTest, UndoAfterTwoPlotsAndAZoomOutAddsNoGraphAndRedoBringsTheZoomBack) {
    open();
    plot("x^2");
    plot("sin x");
    action("Zoomout1")->trigger();
    EXPECT_EQ(action("Undo1")->statusTip(), "Undo Zoom out");
    action("Undo1")->trigger();
    EXPECT_EQ(xmax(), "10");
    EXPECT_EQ(formulaEdit()->text(), "sin x") << "the field as it was before the zoom";
    EXPECT_EQ(savedFormulas(), (std::vector<std::string>{"x^2", "sin x"}));
    EXPECT_EQ(form->settings().LastGraph, 1);
    EXPECT_EQ(action("Undo1")->statusTip(), "Undo Plot sin x");
    EXPECT_EQ(action("Redo1")->toolTip(), "Redo Zoom out");
    EXPECT_EQ(action("Undolastaction1")->statusTip(), "Undo Plot sin x");
    action("Undolastaction1")->trigger(); // the pop-up menu's item goes the same way
    EXPECT_EQ(savedFormulas(), (std::vector<std::string>{"x^2"}));
    EXPECT_EQ(formulaEdit()->text(), "x^2");
    action("Redo1")->trigger();
    action("Redo1")->trigger();
    EXPECT_EQ(xmax(), "20");
    EXPECT_EQ(savedFormulas(), (std::vector<std::string>{"x^2", "sin x"}));
    EXPECT_FALSE(action("Redo1")->isEnabled());
    EXPECT_TRUE(form->recordedMessages().empty());
}

TEST_F(HistoryTest, DeleteAllAndModeSwitchesAreUndoneButNotThePassword) {
    open();
    plot("1");
    plot("2");
    plot("3");
    deleteGraphs(*form->engine(), TDeleteChoice::All); // what the delete dialog's OK does, through runPlotting
    form->runPlotting([] {});
    action("Polar1")->trigger();
    form->settings().adminPassword = "secret";
    EXPECT_EQ(action("Undo1")->statusTip(), "Undo Polar mode");
    formulaEdit()->setText("r=2");
    action("Undo1")->trigger();
    EXPECT_TRUE(form->settings().CartesianMode);
    EXPECT_TRUE(action("Cart1")->isChecked());
    EXPECT_EQ(formulaEdit()->text(), "") << "the field as it was after Delete All, not the first preset";
    action("Undo1")->trigger();
    EXPECT_EQ(savedFormulas(), (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(form->settings().adminPassword, "secret");
}

TEST_F(HistoryTest, CtrlZInTheFormulaFieldUndoesItsText) {
    open();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    plot("x^2");
    formulaEdit()->setFocus();
    formulaEdit()->selectAll();
    QTest::keyClicks(formulaEdit(), "cos x");
    QTest::keyClick(formulaEdit(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_NE(formulaEdit()->text(), "cos x") << "the field's own text undo";
    EXPECT_EQ(form->settings().LastGraph, 0) << "the drawing is unchanged";
    EXPECT_EQ(savedFormulas(), (std::vector<std::string>{"x^2"}));
    form->paintBox()->setFocus();
    QTest::keyClick(form->paintBox(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(form->settings().LastGraph, -1) << "elsewhere Ctrl+Z undoes the drawing";
}

TEST_F(HistoryTest, ClosingAChangedDrawingAsksAndTheCaptionShowsTheFileAndTheMark) {
    open();
    const std::filesystem::path file = start / "lesson.kvo";
    form->close(); // unchanged: closes without a question
    EXPECT_TRUE(form->recordedMessages().empty());
    open();
    plot("x^2");
    EXPECT_EQ(form->windowTitle(), "Untitled* - Kurvo32 Graph Editor");
    form->setSavePromptAnswer(TMainForm::TSaveAnswer::Cancel);
    EXPECT_FALSE(form->close());
    EXPECT_EQ(form->recordedMessages(), (std::vector<std::string>{"Save changes to the drawing?"}));
    EXPECT_TRUE(form->isVisible()) << "Cancel keeps the window";

    form->fileCommands().saveGraphFileAs(file);
    EXPECT_EQ(form->windowTitle(), "lesson.kvo - Kurvo32 Graph Editor");
    action("Zoomout1")->trigger();
    EXPECT_EQ(form->windowTitle(), "lesson.kvo* - Kurvo32 Graph Editor");
    action("Undo1")->trigger();
    EXPECT_EQ(form->windowTitle(), "lesson.kvo - Kurvo32 Graph Editor") << "back at the saved drawing";
    action("Redo1")->trigger();
    form->setSavePromptAnswer(TMainForm::TSaveAnswer::Save);
    EXPECT_TRUE(form->close()) << "saved to its file, then closed";
    EXPECT_EQ(readGraphFile(file).graph.settings.Xmax, 20);

    // A file opened at start is the unchanged drawing; Discard closes without writing.
    open();
    form->fileCommands().openFile(file);
    EXPECT_EQ(form->windowTitle(), "lesson.kvo - Kurvo32 Graph Editor");
    plot("sin x");
    form->setSavePromptAnswer(TMainForm::TSaveAnswer::Discard);
    EXPECT_TRUE(form->close());
    EXPECT_EQ(readGraphFile(file).graph.formulas, (std::vector<std::string>{"x^2"}));
}

} // namespace
} // namespace kurvo::test
