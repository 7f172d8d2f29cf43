// The data-set analysis dialogs in the window: statistics, regression, the transformations.
#include "AppTestSupport.h"

#include "DisplayAccess.h"
#include "MatrixDialog.h"
#include "NumLab.h"
#include "RegressionDialog.h"
#include "StatisticsDialog.h"
#include "TransformDialog.h"

#include <QAccessible>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

namespace kurvo::test {
namespace {

const char* const NoPoints = "There are no data points.";

/// The equation an equation box shows, without the places where it may wrap.
QString equationOf(const QLabel* box) {
    return box->text().remove(QChar(0x200B));
}

class DataSetDialogs : public AppTest {
  public:
    TDataSetStore& store() { return form->engine()->Document.DataSets; }
    /// Puts sets into the store as an import does, and lets the commands follow.
    void addSets(const std::vector<std::string>& lines) {
        store().appendLines(lines);
        store().setDataSetCount(static_cast<int>(store().setCount()));
        form->engine()->Document.DataSetPlotting = true;
        form->editorHost().refreshCommands();
    }
    /// Opens the window with these sets in the store and gives the command that opens a dialog.
    void openWithSets(const std::vector<std::string>& lines, const char* command) {
        open();
        addSets(lines);
        action(command)->trigger();
    }
    std::vector<TDataPoint> firstSet() {
        auto span = store().points(0);
        return {span.begin(), span.end()};
    }
    std::vector<std::string> messages() { return form->recordedMessages(); }
};

TEST_F(DataSetDialogs, CommandsWaitForDataSets) {
    open();
    const char* commands[] = {"Datasets", "Transforms1", "Matrix1", "Statistics1", "Regression1"};
    for (const char* name : commands)
        EXPECT_FALSE(action(name)->isEnabled()) << name;
    addSets({"1,2", "#"});
    for (const char* name : commands)
        EXPECT_TRUE(action(name)->isEnabled()) << name;
    // The toolbar's two transformation buttons show the same commands.
    for (const char* name : {"Transforms1", "Matrix1"}) {
        bool found = false;
        for (QObject* o : action(name)->associatedObjects())
            if (auto* b = qobject_cast<QToolButton*>(o)) {
                found = true;
                EXPECT_TRUE(b->isEnabled()) << name;
            }
        EXPECT_TRUE(found) << name;
    }
}

TEST_F(DataSetDialogs, StatisticsOfTheWorkedExample) {
    openWithSets({"1,2", "2,4", "#", "3,6", "#"}, "Statistics1");
    Tfstatistics* d = form->dialogs().statistics();
    ASSERT_TRUE(d->isVisible());
    EXPECT_FALSE(d->isModal());
    const std::pair<const char*, const char*> shown[] = {
        {"num_pts", "3"},         {"sumx", "6"},      {"sumxsqu", "14"}, {"meanx", "2"},     {"sampsdx", "1"},
        {"popsdx", "0.81649658"}, {"sumy", "12"},     {"sumysqu", "56"}, {"meany", "4"},     {"sampsdy", "2"},
        {"popsdy", "1.6329932"},  {"meandiff", "-2"}, {"sddiff", "1"},   {"corr_coeff", "1"}};
    for (auto [name, text] : shown) {
        TNumLab* lab = d->label(name);
        ASSERT_NE(lab, nullptr) << name;
        EXPECT_EQ(lab->shownText(), text) << name;
    }
    // Screen readers get the caption as the name and the shown text as the value.
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(d->label("meanx"));
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->text(QAccessible::Name), "Mean (x)");
    EXPECT_EQ(a->text(QAccessible::Value), "2");
    EXPECT_EQ(d->label("sumxsqu")->LeftText(), QString::fromUtf8("Sum (x²)"));
    QTest::keyClick(d, Qt::Key_Escape);
    EXPECT_FALSE(d->isVisible());
}

TEST_F(DataSetDialogs, NumLabOverflowsIntoTheIndicator) {
    openWithSets({"123456789.5,1", "#"}, "Statistics1");
    TNumLab* sum = form->dialogs().statistics()->label("sumx");
    EXPECT_EQ(sum->shownText(), "1.2345679E8"); // more integer digits than the precision
    sum->setLabelWidth(30);
    EXPECT_EQ(sum->shownText(), "*********");
    sum->setEmpty(true);
    EXPECT_EQ(sum->shownText(), "");
}

TEST_F(DataSetDialogs, EveryDialogSaysWhenThereAreNoPoints) {
    openWithSets({"#"}, "Statistics1"); // a set without points
    EXPECT_FALSE(form->dialogs().statistics()->isVisible());
    action("Regression1")->trigger();
    EXPECT_FALSE(form->dialogs().regression()->isVisible());
    action("Transforms1")->trigger();
    form->dialogs().transform()->Edit1->setText("0,0");
    form->dialogs().transform()->Edit2->setText("90");
    form->dialogs().transform()->Apply->click();
    action("Matrix1")->trigger();
    form->dialogs().matrix()->OKBtn->click();
    EXPECT_EQ(messages(), (std::vector<std::string>(4, NoPoints)));
}

TEST_F(DataSetDialogs, RegressionShowsBothFitsAndTransfersThePolynomial) {
    openWithSets({"0,1", "1,3", "2,5", "3,10", "#"}, "Regression1");
    Tfregression* d = form->dialogs().regression();
    ASSERT_TRUE(d->isVisible());
    EXPECT_EQ(equationOf(d->linear_eq), QString::fromStdString(d->linear().equation));
    EXPECT_EQ(equationOf(d->poly_eq), QString::fromStdString(d->polynomial().equation));
    EXPECT_TRUE(d->RadioButton2->isChecked());
    EXPECT_EQ(d->NumLab1->shownText(), QString::fromStdString(d->polynomial().quality));
    d->RadioButton1->click();
    EXPECT_EQ(d->NumLab1->shownText(), QString::fromStdString(d->linear().quality));
    d->RadioButton2->click();
    const std::string equation = d->polynomial().equation;
    d->OKBtn->click();
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(formulaEdit()->text().toStdString(), equation);
    const int slot = form->settings().LastGraph;
    EXPECT_EQ(form->engine()->Document.UserFormulas[static_cast<std::size_t>(slot)], equation);
    EXPECT_TRUE(messages().empty()) << messages().front();
}

TEST_F(DataSetDialogs, RegressionWorkedExampleAndADegreeTooHigh) {
    openWithSets({"0,1", "1,3", "2,5", "#"}, "Regression1");
    Tfregression* d = form->dialogs().regression();
    EXPECT_EQ(equationOf(d->linear_eq), "2x+1");
    d->RadioButton1->click();
    EXPECT_EQ(d->NumLab1->shownText(), "1.00");
    d->RadioButton2->click();
    const QString before = equationOf(d->poly_eq);
    d->SpinEdit1->setValue(3); // three points take no cubic
    EXPECT_EQ(equationOf(d->poly_eq), before);
    EXPECT_EQ(d->NumLab1->shownText(), "");
    d->OKBtn->click();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0], "A polynomial of degree 3 needs at least 4 points.");
    EXPECT_TRUE(d->isVisible());
}

TEST_F(DataSetDialogs, RegressionThroughOneXSaysNoLine) {
    openWithSets({"2,1", "2,3", "2,5", "#"}, "Regression1");
    Tfregression* d = form->dialogs().regression();
    d->RadioButton1->click();
    EXPECT_EQ(equationOf(d->linear_eq).toStdString(), msg::NoLineSameX);
    d->OKBtn->click();
    EXPECT_EQ(messages(), std::vector<std::string>{msg::NoLineSameX});
}

TEST_F(DataSetDialogs, RotationByAQuarterTurnTakesTheNextColour) {
    open();
    form->settings().DegreeMode = true;
    addSets({"1,0", "2,3", "#", "5,5", "#"});
    action("Transforms1")->trigger();
    Tftrans* d = form->dialogs().transform();
    ASSERT_TRUE(d->isVisible());
    EXPECT_TRUE(d->RadioButton1->isChecked());
    d->Edit1->setText("0,0");
    d->Edit2->setText("90");
    QTest::keyClick(d->Edit2, Qt::Key_Return); // Enter presses Apply
    ASSERT_TRUE(messages().empty()) << messages().front();
    auto points = firstSet();
    EXPECT_NEAR(points[0].x, 0, 1e-15);
    EXPECT_NEAR(points[0].y, 1, 1e-15);
    EXPECT_NEAR(points[1].x, -3, 1e-14);
    EXPECT_NEAR(points[1].y, 2, 1e-14);
    EXPECT_EQ(store().points(1)[0], (TDataPoint{5, 5})); // only the first set moves
    EXPECT_TRUE(store().singleSetOnly());
    EXPECT_EQ(store().dataSetCount(), 3);
}

TEST_F(DataSetDialogs, TransformationFieldsAtFaultLeaveThePointsAlone) {
    openWithSets({"2,3", "#"}, "Transforms1");
    Tftrans* d = form->dialogs().transform();
    d->RadioButton2->click();
    EXPECT_FALSE(d->Edit5->isVisibleTo(d)); // an enlargement has one factor
    EXPECT_EQ(d->Edit4->accessibleName(), "Scale Factor");
    d->Edit3->setText("1,1");
    d->Apply->click();
    d->Edit4->setText("two");
    d->Apply->click();
    EXPECT_EQ(messages(),
              (std::vector<std::string>{"Please fill in all the required fields.",
                                        "Scale Factor: 'two' is not a valid floating point value"}));
    EXPECT_EQ(firstSet(), (std::vector<TDataPoint>{{2, 3}}));
    EXPECT_EQ(store().dataSetCount(), 1);
    d->Edit4->setText("2");
    d->Apply->click();
    EXPECT_EQ(firstSet(), (std::vector<TDataPoint>{{3, 5}}));
    d->RadioButton3->click();
    EXPECT_TRUE(d->Edit5->isVisibleTo(d));
    EXPECT_EQ(d->Edit4->accessibleName(), "Scale Factor x");
}

TEST_F(DataSetDialogs, AutomaticYScalingRefusesTransformations) {
    open();
    form->settings().AutoYScaling = true;
    addSets({"3,5", "#"});
    action("Transforms1")->trigger();
    Tftrans* d = form->dialogs().transform();
    d->RadioButton6->click();
    d->Memo1->setPlainText("2\n-1");
    d->Apply->click();
    EXPECT_EQ(messages(), std::vector<std::string>{msg::TransformWithAutoScaling});
    EXPECT_EQ(firstSet(), (std::vector<TDataPoint>{{3, 5}}));
    form->settings().AutoYScaling = false;
    d->Apply->click();
    EXPECT_EQ(firstSet(), (std::vector<TDataPoint>{{5, 4}}));
}

TEST_F(DataSetDialogs, ReflectionInXEqualsCDrawsItsMirrorLine) {
    openWithSets({"3,5", "#"}, "Transforms1");
    Tftrans* d = form->dialogs().transform();
    d->RadioButton5->click();
    d->Edit7->setText("1");
    d->Apply->click();
    ASSERT_TRUE(messages().empty()) << messages().front();
    EXPECT_EQ(firstSet(), (std::vector<TDataPoint>{{-1, 5}}));
    TPlotEngine& e = *form->engine();
    const int column = e.WorldToPixelX(1);
    int red = 0;
    for (int row = 0; row < e.PlotHeight; ++row)
        for (int dx = -1; dx <= 1; ++dx)
            if (e.PlotPicture.valid(column + dx, row) &&
                QColor(e.PlotPicture.pixel(column + dx, row)) == QColor(255, 0, 0))
                ++red;
    EXPECT_GT(red, e.PlotHeight / 4); // a dotted line down the whole picture
}

TEST_F(DataSetDialogs, MatrixEntriesAreExpressionsAndBadOnesAreNamed) {
    open();
    form->settings().DegreeMode = true;
    addSets({"1,0", "2,3", "#"});
    action("Matrix1")->trigger();
    Tfmatrix* d = form->dialogs().matrix();
    ASSERT_TRUE(d->isVisible());
    EXPECT_EQ(d->Edit1->accessibleName(), "Row 1, column 1");
    d->Edit1->setText("0");
    d->Edit2->setText("-1");
    d->Edit3->setText("sin(90)");
    d->Edit4->setText("0");
    d->OKBtn->click();
    ASSERT_TRUE(messages().empty()) << messages().front();
    EXPECT_EQ(firstSet(), (std::vector<TDataPoint>{{0, 1}, {-3, 2}}));
    d->Edit4->setText("1/(");
    d->OKBtn->click();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].rfind("Row 2, column 2: ", 0), 0u) << messages()[0];
    EXPECT_EQ(firstSet(), (std::vector<TDataPoint>{{0, 1}, {-3, 2}}));
    EXPECT_EQ(store().dataSetCount(), 2);
}

} // namespace
} // namespace kurvo::test
