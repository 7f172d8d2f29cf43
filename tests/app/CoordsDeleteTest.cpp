// The coordinates editor and the delete dialog in the window: opened from the menu and the toolbar,
// modeless, and what their OK leaves in the window's commands and fields.
#include "AppTestSupport.h"

#include "CoordsDialog.h"
#include "Transformation.h"
#include "DeleteDialog.h"
#include "PlotExport.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

namespace kurvo::test {
namespace {

class CoordsDelete : public AppTest {
  public:
    TDataSetStore& store() { return form->engine()->Document.DataSets; }
    /// The toolbar button that shows a command, if the toolbar holds one.
    QToolButton* toolButton(const char* name) {
        for (QObject* o : action(name)->associatedObjects())
            if (auto* b = qobject_cast<QToolButton*>(o)) return b;
        return nullptr;
    }
    void typePoints(const QString& labels, const QString& points) {
        action("CoordinateSets1")->trigger();
        Tfcoords* d = form->dialogs().coords();
        d->Edit1->setText(labels);
        d->Memo1->setPlainText(points);
        QTest::mouseClick(d->OKBtn, Qt::LeftButton);
    }
};

TEST_F(CoordsDelete, FivePointsTypedThroughTheMenuArePlotted) {
    open();
    for (const char* name : {"CoordinateSets1", "Delete1"}) {
        EXPECT_TRUE(action(name)->isEnabled()) << name;
        QToolButton* b = toolButton(name);
        ASSERT_NE(b, nullptr) << name;
        EXPECT_TRUE(b->isEnabled()) << name;
    }
    EXPECT_FALSE(action("Datasets")->isEnabled());
    formulaEdit()->setText("sin(x)");
    typePoints("time,height", "1,1\n2,4\n3,9\n4,16\n5,25\n");
    Tfcoords* d = form->dialogs().coords();
    EXPECT_EQ(d->windowTitle(), "Coordinates");
    EXPECT_FALSE(d->isModal());
    EXPECT_FALSE(d->isVisible()) << "OK hides the dialog";
    EXPECT_TRUE(form->recordedMessages().empty());
    EXPECT_EQ(store().lines(), (std::vector<std::string>{"1,1", "2,4", "3,9", "4,16", "5,25", "#"}));
    EXPECT_EQ(store().dataSetCount(), 1);
    EXPECT_EQ(formulaEdit()->text(), "") << "the plot draws the points alone";
    EXPECT_EQ(form->settings().XAxisName, "time");
    for (const char* name : {"Datasets", "Transforms1", "Matrix1", "Statistics1", "Regression1"})
        EXPECT_TRUE(action(name)->isEnabled()) << name;
    // The dialog keeps its texts for the next set.
    toolButton("CoordinateSets1")->click();
    EXPECT_TRUE(d->isVisible());
    EXPECT_EQ(d->Memo1->toPlainText(), "1,1\n2,4\n3,9\n4,16\n5,25\n");
    EXPECT_EQ(d->Edit1->text(), "time,height");
    QTest::mouseClick(d->Button1, Qt::LeftButton);
    EXPECT_EQ(d->Memo1->toPlainText(), "");
    QTest::keyClick(d, Qt::Key_Escape);
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(store().setCount(), 1u) << "Close adds nothing";
}

TEST_F(CoordsDelete, ABadLineIsRefusedAndTheDialogStays) {
    open();
    typePoints("x,y", "1,2\n3 4\n");
    ASSERT_EQ(form->recordedMessages().size(), 1u);
    EXPECT_EQ(form->recordedMessages()[0].rfind("Line 2: \"3 4\"", 0), 0u) << form->recordedMessages()[0];
    Tfcoords* d = form->dialogs().coords();
    EXPECT_TRUE(d->isVisible());
    EXPECT_EQ(d->Memo1->textCursor().selectedText(), "3 4") << "the bad line is selected";
    EXPECT_TRUE(store().empty());
    EXPECT_FALSE(action("Datasets")->isEnabled());
}

TEST_F(CoordsDelete, DeleteOpensWithDeleteAllAndEmptiesTheDrawing) {
    open();
    formulaEdit()->setText("x");
    form->commands().action(Command::Plot)->trigger();
    typePoints("a,b", "1,2\n");
    Tfdelete* d = form->dialogs().deletion();
    toolButton("Delete1")->click();
    EXPECT_TRUE(d->isVisible());
    EXPECT_FALSE(d->isModal());
    EXPECT_EQ(d->windowTitle(), "Delete");
    EXPECT_TRUE(d->RadioButton5->isChecked());
    d->RadioButton3->setChecked(true);
    QTest::mouseClick(d->CancelBtn, Qt::LeftButton);
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(store().setCount(), 1u) << "Cancel deletes nothing";

    action("Delete1")->trigger();
    EXPECT_TRUE(d->RadioButton5->isChecked()) << "every opening starts from Delete All";
    QTest::mouseClick(d->OKBtn, Qt::LeftButton);
    EXPECT_FALSE(d->isVisible());
    EXPECT_TRUE(store().empty());
    EXPECT_EQ(form->settings().LastGraph, -1);
    EXPECT_EQ(form->settings().XAxisName, "x");
    EXPECT_EQ(formulaEdit()->text(), "");
    for (const char* name : {"Datasets", "Transforms1", "Matrix1"})
        EXPECT_FALSE(action(name)->isEnabled()) << name;
    EXPECT_TRUE(form->recordedMessages().empty());
}

TEST_F(CoordsDelete, TransformationsKeepTheirStartingPointsUntilTheDataSetsAreDeleted) {
    open();
    typePoints("x,y", "1.3,1.3\n");
    typePoints("x,y", "-4.7,-5.3\n");
    TPlotEngine& engine = *form->engine();
    const auto& marks = form->settings().MarkColours;
    auto at = [&](double x, double y) {
        return engine.composedPicture().pixelColor(engine.WorldToPixelX(x), engine.WorldToPixelY(y));
    };
    TEditorHost& host = form->editorHost();
    ASSERT_EQ(host.transformFirstDataSet(PointTransformation::translation(2, 3), std::nullopt), "");
    ASSERT_EQ(host.transformFirstDataSet(PointTransformation::translation(1, 0), std::nullopt), "");
    // The store holds the image; the starting points and the first image stay as marks, each in
    // its own colour, and the second set is no longer drawn.
    EXPECT_EQ(store().points(0)[0], (TDataPoint{4.3, 4.3}));
    for (int redraw = 0; redraw < 2; ++redraw) {
        EXPECT_EQ(at(1.3, 1.3), engine.colour(marks[0])) << redraw;
        EXPECT_EQ(at(3.3, 4.3), engine.colour(marks[2])) << redraw;
        EXPECT_EQ(at(4.3, 4.3), engine.colour(marks[3])) << redraw;
        EXPECT_EQ(at(-4.7, -5.3), engine.colour(form->settings().backgroundColour)) << redraw;
        form->resize(form->width() + 40, form->height()); // a full redraw at a new size keeps them
        QTest::qWait(50);
    }
    ASSERT_TRUE(host.deleteGraphs(TDeleteChoice::AllDataSets));
    EXPECT_TRUE(engine.Document.TransformHistory.empty());
    EXPECT_EQ(at(1.3, 1.3), engine.colour(form->settings().backgroundColour));
}

TEST_F(CoordsDelete, TheMirrorLineIsPartOfTheDrawingInEveryRedrawAndExport) {
    open();
    typePoints("x,y", "1,3\n");
    TPlotEngine& engine = *form->engine();
    const TMirrorLine mirror{true, 0, 2};
    ASSERT_EQ(form->editorHost().transformFirstDataSet(PointTransformation::reflectionInLine(0, 0), mirror), "");
    auto redInColumn = [&] {
        const QImage picture = engine.composedPicture();
        int red = 0;
        for (int y = 0; y < picture.height(); ++y)
            red += picture.pixelColor(engine.WorldToPixelX(2), y) == QColor(255, 0, 0);
        return red;
    };
    EXPECT_GT(redInColumn(), engine.PlotHeight / 4);
    engine.replotAll();
    EXPECT_GT(redInColumn(), engine.PlotHeight / 4);
    EXPECT_TRUE(pictureBytes(engine, PictureFormat::Svg).toLower().contains("#ff0000"));
    // Another transformation without a line takes the line away.
    ASSERT_EQ(form->editorHost().transformFirstDataSet(PointTransformation::translation(1, 0), std::nullopt), "");
    EXPECT_EQ(redInColumn(), 0);
}

} // namespace
} // namespace kurvo::test
