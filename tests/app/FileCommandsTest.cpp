// The file commands of the window: Open (graph files and data-set imports), Save as KurvoFile, and
// the sample export dialog.
#include "AppTestSupport.h"

#include "AtomicFile.h"
#include "DataSaveDialog.h"
#include "Errors.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QPushButton>
#include <QLabel>

namespace kurvo::test {
namespace {

/// Saves a grab of the window when KURVO_SCREENSHOTS names a folder, for looking at it.
void keepScreenshot(QWidget& window, const char* name) {
    const QByteArray folder = qgetenv("KURVO_SCREENSHOTS");
    if (!folder.isEmpty()) window.grab().save(QString(folder) + "/" + name);
}

// Ten measured points and, in the middle, a row a spreadsheet wrote with the wrong separator.
const char* const TenPoints = "time,height\r\n-9,-5.5\r\n-7,-4\r\n-5,-3.5\r\n-3,-1\r\n-1,0.5\r\n"
                              "seven;oops\r\n1,1\r\n3,2.5\r\n5,3\r\n7,5\r\n9,5.5\r\n";

TEST_F(AppTest, DataSetCommandsWaitForDataSets) {
    open();
    EXPECT_TRUE(action("Open1")->isEnabled());
    EXPECT_TRUE(action("SaveasKurvoFile1")->isEnabled());
    EXPECT_TRUE(action("Save1")->isEnabled());
    EXPECT_FALSE(action("Datasets")->isEnabled());

    writeFileAtomically(start / "points.csv", TenPoints);
    form->fileCommands().openFile(start / "points.csv");
    EXPECT_TRUE(action("Datasets")->isEnabled());
    const TGraphDocument& doc = form->engine()->Document;
    EXPECT_EQ(doc.DataSets.allPoints().size(), 10u);
    EXPECT_EQ(doc.DataSets.dataSetCount(), 1);
    EXPECT_EQ(formulaEdit()->text(), "");
    ASSERT_EQ(form->recordedMessages().size(), 1u);
    EXPECT_NE(form->recordedMessages()[0].find("points.csv, line 7: \"seven;oops\""), std::string::npos)
        << form->recordedMessages()[0];
    // Every point is marked in the first mark colour.
    TPlotEngine& e = *form->engine();
    const QImage picture = e.composedPicture();
    const QColor mark = e.colour(form->settings().MarkColours[0]);
    for (const TDataPoint& p : doc.DataSets.allPoints())
        EXPECT_EQ(picture.pixelColor(e.WorldToPixelX(p.x), e.WorldToPixelY(p.y)), mark) << p.x;
    form->settings().MarkType = 9;
    form->editorHost().replotAllGraphs();
    keepScreenshot(*form, "import-ten-points.png");
}

TEST_F(AppTest, SavedDrawingOpensInANewWindow) {
    open();
    formulaEdit()->setText("x^2");
    action("Plot")->trigger();
    formulaEdit()->setText("sin(x)");
    action("Plot")->trigger();
    const auto file = start / "lesson.kvo";
    form->fileCommands().saveGraphFileAs(file);
    ASSERT_TRUE(std::filesystem::exists(file));
    form.reset();

    open();
    TPlotEngine& e = *form->engine();
    e.Options.antialiasedCurves = false; // exact colours at the sampled pixels
    form->fileCommands().openFile(file);
    EXPECT_TRUE(form->recordedMessages().empty()) << form->recordedMessages().front();
    EXPECT_EQ(form->settings().LastGraph, 1);
    EXPECT_EQ(formulaEdit()->text(), "x^2");
    const QImage picture = e.composedPicture();
    EXPECT_EQ(picture.pixelColor(e.WorldToPixelX(2), e.WorldToPixelY(4)), e.graphColour(0));
    EXPECT_EQ(picture.pixelColor(e.WorldToPixelX(0), e.WorldToPixelY(0)), e.graphColour(1));
    keepScreenshot(*form, "reopened-drawing.png");
}

TEST_F(AppTest, AGraphFileThatFailsIsReportedWithItsLine) {
    open();
    writeFileAtomically(start / "short.kvo", "Kurvofile\r\nT\r\n");
    form->fileCommands().openFile(start / "short.kvo");
    ASSERT_EQ(form->recordedMessages().size(), 1u);
    EXPECT_NE(form->recordedMessages()[0].find("short.kvo, line 3"), std::string::npos)
        << form->recordedMessages()[0];
    EXPECT_EQ(form->settings().LastGraph, -1);
}

TEST_F(AppTest, SampleExportDialogWritesTheRows) {
    open();
    formulaEdit()->setText("x^2");
    action("Save1")->trigger();
    TDataSaveDialog* dialog = form->dialogs().dataSave();
    ASSERT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->windowTitle(), "Kurvo Data Sets Save Dialog");
    EXPECT_EQ(dialog->Label1->text(), "Xmin");
    EXPECT_EQ(dialog->xmin->text(), "-10");
    EXPECT_EQ(dialog->step->text(), "0.1");
    EXPECT_EQ(dialog->FormSaveDialog1->selectedNameFilter(), "CSV (*.csv)");

    dialog->xmin->setText("-1");
    dialog->xmax->setText("1");
    dialog->step->setText("1");
    const auto csv = start / "square.csv";
    ASSERT_TRUE(dialog->saveSamples(QString::fromStdString(csv.string()), 1));
    EXPECT_EQ(readFileBytes(csv), "x,y\r\n-1,1\r\n0,0\r\n1,1\r\n");
    ASSERT_TRUE(dialog->saveSamples(QString::fromStdString((start / "square.tsv").string()), 3));
    EXPECT_EQ(readFileBytes(start / "square.tsv"), "x\ty\r\n-1\t1\r\n0\t0\r\n1\t1\r\n");

    dialog->step->setText("0");
    EXPECT_FALSE(dialog->saveSamples(QString::fromStdString((start / "never.csv").string()), 1));
    EXPECT_FALSE(std::filesystem::exists(start / "never.csv"));
    EXPECT_EQ(form->recordedMessages().back(), "The step must be greater than 0.");

    dialog->step->setText("1e-6");
    form->setRecordMessages(true, false); // No to the question
    EXPECT_FALSE(dialog->saveSamples(QString::fromStdString((start / "huge.csv").string()), 1));
    EXPECT_NE(form->recordedMessages().back().find("2000001 rows"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(start / "huge.csv"));

    dialog->step->setText("a");
    EXPECT_FALSE(dialog->saveSamples(QString::fromStdString((start / "never.csv").string()), 1));
    EXPECT_EQ(form->recordedMessages().back(), "'a' is not a valid floating point value");
}

TEST_F(AppTest, SampleExportPanelSavesWithTheChosenFilter) {
    open();
    formulaEdit()->setText("2x");
    action("Save1")->trigger();
    TDataSaveDialog* dialog = form->dialogs().dataSave();
    dialog->xmin->setText("0");
    dialog->xmax->setText("1");
    dialog->step->setText("0.5");
    QFileDialog* panel = dialog->FormSaveDialog1;
    panel->selectNameFilter("TSV (*.tsv)");
    emit panel->filterSelected("TSV (*.tsv)");
    EXPECT_EQ(panel->defaultSuffix(), "tsv");
    panel->setDirectory(QString::fromStdString(start.string()));
    panel->selectFile("heights");
    auto* buttons = panel->findChild<QDialogButtonBox*>();
    ASSERT_NE(buttons, nullptr);
    QPushButton* save = buttons->button(QDialogButtonBox::Save);
    if (!save) save = buttons->button(QDialogButtonBox::Open);
    ASSERT_NE(save, nullptr);
    EXPECT_EQ(save->text(), "&Save");
    QTest::mouseClick(save, Qt::LeftButton);
    EXPECT_EQ(readFileBytes(start / "heights.tsv"), "x\ty\r\n0\t0\r\n0.5\t1\r\n1\t2\r\n");
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(form->recordedMessages().empty()) << form->recordedMessages().front();
}

TEST_F(AppTest, SampleExportDialogNamesTheTRangeInPolarMode) {
    open();
    action("Polar1")->trigger();
    action("Save1")->trigger();
    TDataSaveDialog* dialog = form->dialogs().dataSave();
    EXPECT_EQ(dialog->Label1->text(), "Tmin");
    EXPECT_EQ(dialog->Label2->text(), "Tmax");
    EXPECT_EQ(dialog->xmin->text(), "0");
    EXPECT_EQ(dialog->xmin->accessibleName(), "Tmin");
    dialog->step->setText("5");
    dialog->hide();
    action("Save1")->trigger();
    EXPECT_EQ(dialog->step->text(), "0.1") << "the step is reset on every opening";
}

} // namespace
} // namespace kurvo::test
