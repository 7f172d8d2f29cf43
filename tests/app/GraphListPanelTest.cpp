// The graph list in the window: rows follow the drawing; select, hide, edit, delete; the legend option.
#include "AppTestSupport.h"

#include "ExtensionSettings.h"
#include "GraphListPanel.h"

#include <QListWidget>
#include <QPushButton>

#include <fstream>

namespace kurvo::test {
namespace {

class GraphListPanelTest : public AppTest {
  public:
    TGraphListPanel* panel() { return form->findChild<TGraphListPanel*>(); }
    QListWidget* list() { return panel()->list(); }
    void plotText(const char* text) {
        formulaEdit()->setText(text);
        form->commands().action(Command::Plot)->trigger();
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }
    QStringList rows() {
        QStringList texts;
        for (int i = 0; i < list()->count(); ++i)
            texts << list()->item(i)->text();
        return texts;
    }
    std::vector<std::string> slotFormulas() {
        std::vector<std::string> s;
        for (int i = 0; i <= form->settings().LastGraph; ++i)
            s.push_back(form->engine()->Document.UserFormulas[static_cast<std::size_t>(i)]);
        return s;
    }
    /// Lets the queued work of the panel (the refresh after a paint, an edit's commit) run.
    static void settle() {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }
};

TEST_F(GraphListPanelTest, PickHideEditAndDeleteTheMiddleGraph) {
    open();
    ASSERT_NE(panel(), nullptr);
    EXPECT_FALSE(panel()->isVisible()) << "hidden until asked for";
    form->findChild<QAction*>("GraphList1")->trigger();
    EXPECT_TRUE(panel()->isVisible());
    EXPECT_TRUE(readExtensionSettings(start / "data" / "kurvo.ini").showGraphList);
    EXPECT_EQ(list()->accessibleName(), "Graphs");
    EXPECT_EQ(panel()->deleteButton()->accessibleName(), "Delete graph");

    for (const char* f : {"x", "x^2", "-x"})
        plotText(f);
    EXPECT_EQ(rows(), (QStringList{"x", "x^2", "-x"}));
    EXPECT_FALSE(panel()->deleteButton()->isEnabled()) << "nothing selected";

    // Selecting a row puts its formula into the formula field.
    formulaEdit()->clear();
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, list()->visualItemRect(list()->item(1)).center());
    EXPECT_EQ(formulaEdit()->text(), "x^2");
    EXPECT_TRUE(panel()->deleteButton()->isEnabled());

    // The check box hides the graph.
    list()->item(1)->setCheckState(Qt::Unchecked);
    settle();
    EXPECT_TRUE(form->engine()->Document.Graphs[1].Hidden);
    EXPECT_EQ(list()->item(1)->checkState(), Qt::Unchecked);

    // F2 edits the row: the new formula is drawn in the same slot, still hidden.
    list()->setCurrentRow(1);
    QTest::keyClick(list(), Qt::Key_F2);
    auto* editor = list()->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), "x^2");
    editor->setText("x^3");
    QTest::keyClick(editor, Qt::Key_Return);
    settle();
    EXPECT_EQ(slotFormulas(), (std::vector<std::string>{"x", "x^3", "-x"}));
    EXPECT_TRUE(form->engine()->Document.Graphs[1].Hidden);
    EXPECT_EQ(rows(), (QStringList{"x", "x^3", "-x"}));

    // The Delete key removes just the selected graph; the list follows.
    list()->setCurrentRow(1);
    QTest::keyClick(list(), Qt::Key_Delete);
    settle();
    EXPECT_EQ(slotFormulas(), (std::vector<std::string>{"x", "-x"}));
    EXPECT_EQ(rows(), (QStringList{"x", "-x"}));

    // Undo brings the deleted graph back, and the list with it.
    action("Undolastaction1")->trigger();
    settle();
    EXPECT_EQ(slotFormulas(), (std::vector<std::string>{"x", "x^3", "-x"}));
    EXPECT_EQ(rows(), (QStringList{"x", "x^3", "-x"}));

    // The button does what the key does.
    list()->setCurrentRow(0);
    panel()->deleteButton()->click();
    settle();
    EXPECT_EQ(rows(), (QStringList{"x^3", "-x"}));
    EXPECT_TRUE(form->recordedMessages().empty());
}

TEST_F(GraphListPanelTest, ShowLegendIsRememberedAndDraws) {
    std::ofstream(start / "data" / "kurvo.ini") << "[Plot]\nShowLegend=true\n[Window]\nShowGraphList=true\n";
    open();
    QAction* legend = form->findChild<QAction*>("ShowLegend1");
    ASSERT_NE(legend, nullptr);
    EXPECT_TRUE(legend->isChecked());
    EXPECT_TRUE(panel()->isVisible());
    legend->trigger();
    EXPECT_FALSE(form->engine()->Options.showLegend);
    EXPECT_FALSE(readExtensionSettings(start / "data" / "kurvo.ini").showLegend);
    EXPECT_TRUE(readExtensionSettings(start / "data" / "kurvo.ini").showGraphList);
    // A family is one row with its member count.
    formulaEdit()->setText("x+a");
    form->editorHost().plotFamily(TFamily{4, form->settings().FamilySteps});
    settle();
    EXPECT_EQ(rows(), (QStringList{"x+a   (4 members)"}));
}

} // namespace
} // namespace kurvo::test
