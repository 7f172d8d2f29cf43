// The environment dialog and the data-marks palette in the window: Apply, OK and Cancel, the choices
// that take effect at once, refused values and the record written to the data folder.
#include "AppTestSupport.h"

#include "ColourSwatch.h"
#include "ConstantFields.h"
#include "ConstantsDialog.h"
#include "DataMarksDialog.h"
#include "DisplayAccess.h"
#include "EnvironmentDialog.h"

#include <QCheckBox>
#include <functional>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

namespace kurvo::test {
namespace {

class EnvironmentTest : public AppTest {
  public:
    TEnvironment& dialog() { return *form->dialogs().environment(); }
    TDataMks& palette() { return *form->dialogs().dataMarks(); }
    std::vector<std::string> messages() const { return form->recordedMessages(); }

    /// Opens the window and the dialog from its menu item; colour choices answer `answerColour`.
    void openDialog() {
        open();
        action("Environment1")->trigger();
        ASSERT_TRUE(dialog().isVisible());
        dialog().chooseColour = [this](const QColor& initial, const QString& title) -> std::optional<QColor> {
            asked.emplace_back(title, initial);
            return answerColour;
        };
    }
    void plot(const char* formula) {
        formulaEdit()->setText(QString::fromUtf8(formula));
        QTest::keyClick(form->toolbars().formulaBox, Qt::Key_Return);
    }
    /// Pixels of `colour` in the picture's column `px`.
    int pixelsInColumn(int px, std::int32_t bgr) {
        const QImage img = form->engine()->composedPicture();
        const QRgb want = TColourSwatch::toQColor(bgr).rgb();
        int n = 0;
        for (int y = 0; y < img.height(); ++y)
            n += (img.pixel(px, y) & 0xFFFFFF) == (want & 0xFFFFFF);
        return n;
    }
    double shareOf(std::int32_t bgr) {
        const QImage img = form->engine()->composedPicture();
        const QRgb want = TColourSwatch::toQColor(bgr).rgb() & 0xFFFFFF;
        long n = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                n += (img.pixel(x, y) & 0xFFFFFF) == want;
        return double(n) / (img.width() * img.height());
    }

    std::optional<QColor> answerColour;
    std::vector<std::pair<QString, QColor>> asked;
};

TEST_F(EnvironmentTest, EveryControlHasItsCaptionHintAndName) {
    openDialog();
    EXPECT_EQ(dialog().windowTitle(), "Effects & Settings");
    EXPECT_FALSE(dialog().isModal());
    QTabWidget* pages = dialog().PageControl1;
    ASSERT_EQ(pages->count(), 3);
    EXPECT_EQ(pages->tabText(0), "Settings");
    EXPECT_EQ(pages->tabText(1), "Colours");
    EXPECT_EQ(pages->tabText(2), "Lines, Marks and Fonts");
    struct Check {
        int number;
        const char* caption;
        const char* hint;
    };
    const Check checks[] = {
        {2, "Plot", "When checked the plot will be shown."},
        {3, "Axes", "When checked, the axes will be drawn."},
        {9, "Help", "When checked, these Help messages will appear as now."},
        {12, "Coords Snap to graph", "When checked, these Help messages will appear as now."},
        {11, "Asymtote Beep", "When checked, the computer will beep whenever an asymptote is drawn."},
        {8, "Connect", nullptr},
        {10, "Outline", nullptr},
    };
    for (const Check& c : checks) {
        QCheckBox* box = dialog().CheckBox[static_cast<std::size_t>(c.number)];
        ASSERT_NE(box, nullptr) << c.number;
        EXPECT_EQ(box->text(), c.caption);
        if (c.hint) {
            EXPECT_EQ(box->toolTip(), c.hint);
        }
        EXPECT_FALSE(box->toolTip().isEmpty()) << c.caption;
    }
    // Every swatch is named by its label; the font and mark buttons by what they choose.
    const std::pair<int, const char*> swatches[] = {{1, "Background"}, {2, "Colour"},  {3, "Axes"},
                                                    {9, "Tangent"},    {10, "Mark 1"}, {14, "Mark 5"},
                                                    {15, "Graph 1"},   {19, "Graph 5"}};
    for (auto [n, label] : swatches) {
        TColourSwatch* w = dialog().StaticText[static_cast<std::size_t>(n)];
        ASSERT_NE(w, nullptr) << n;
        EXPECT_EQ(w->accessibleName(), label);
        EXPECT_EQ(w->focusPolicy(), Qt::StrongFocus) << label;
    }
    EXPECT_EQ(dialog().Edit1->accessibleName(), "Graph Line Thickness");
    EXPECT_EQ(dialog().SpinEdit1->accessibleName(), "Sig. Figs");
    EXPECT_EQ(dialog().SpinEdit1->minimum(), 1);
    EXPECT_EQ(dialog().SpinEdit1->maximum(), 14);
    EXPECT_EQ(dialog().SpinEdit2->minimum(), 32);
    EXPECT_EQ(dialog().SpinEdit2->maximum(), 1000000);
    EXPECT_TRUE(dialog().Button1->isDefault());
    EXPECT_EQ(palette().windowTitle(), "Data Marks");
    EXPECT_EQ(palette().SpeedButton[11]->accessibleName(), "Mark 12: filled circle");
}

TEST_F(EnvironmentTest, ApplyRedrawsAtOnceAndCancelKeepsWhatWasApplied) {
    openDialog();
    plot("1"); // a horizontal line at y = 1
    const TSettingsRecord onDisk = data().readSettings();
    const int column = form->engine()->WorldToPixelX(2.5);
    const int rowsBefore = pixelsInColumn(column, form->settings().GraphColours[0]);
    EXPECT_LE(rowsBefore, 3);

    answerColour = QColor(0, 0, 64);
    QTest::mouseClick(dialog().StaticText[1], Qt::LeftButton); // Background
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].first, "Background");
    EXPECT_EQ(asked[0].second, TColourSwatch::toQColor(onDisk.backgroundColour));
    answerColour = QColor(255, 255, 0);
    QTest::mouseClick(dialog().StaticText[15], Qt::LeftButton); // Graph 1
    dialog().Edit1->setText("6");
    dialog().Button3->click(); // Apply

    const TSettingsRecord& s = form->settings();
    EXPECT_EQ(s.backgroundColour, 0x400000);
    EXPECT_EQ(s.GraphColours[0], 0x00FFFF);
    EXPECT_EQ(s.graphLineThickness, 6);
    EXPECT_GT(shareOf(0x400000), 0.5) << "the picture is drawn again on the new background";
    EXPECT_GE(pixelsInColumn(column, 0x00FFFF), 5) << "the line is drawn again 6 pixels wide";
    EXPECT_TRUE(dialog().isVisible());

    dialog().Button2->click(); // Cancel
    EXPECT_FALSE(dialog().isVisible());
    EXPECT_EQ(form->settings().backgroundColour, 0x400000) << "Apply's values stay in effect";
    EXPECT_EQ(data().readSettings(), onDisk) << "only OK writes the file";
    EXPECT_TRUE(messages().empty());
}

TEST_F(EnvironmentTest, OkWritesTheRecord) {
    openDialog();
    answerColour = QColor(10, 20, 30);
    dialog().SwatchClick(12); // Mark 3
    dialog().SwatchClick(2);  // the font colour
    dialog().Edit2->setText("4");
    dialog().SpinEdit2->setValue(2048);
    form->toolbars().fields[TToolbarSet::XMin]->setText("-3");
    dialog().Button1->click(); // OK

    EXPECT_FALSE(dialog().isVisible());
    EXPECT_TRUE(messages().empty());
    const TSettingsRecord written = data().readSettings();
    EXPECT_EQ(written.MarkColours[2], 0x1E140A);
    EXPECT_EQ(written.fontColour, 0x1E140A);
    EXPECT_EQ(written.axisLineThickness, 4);
    EXPECT_EQ(written.plotStepText, "2048");
    EXPECT_EQ(written.Xmin, -3);
    EXPECT_EQ(form->toolbars().plotStep->value(), 2048);
}

TEST_F(EnvironmentTest, EveryChangeShowsAtOnce) {
    // Each change, made as the user makes it, redraws the picture without a zoom or resize.
    struct Row {
        const char* what;
        std::function<void(EnvironmentTest&)> change;
        std::function<bool(EnvironmentTest&)> shown;
    };
    const int column = 200;
    const Row rows[] = {
        {"a graph colour with OK",
         [](EnvironmentTest& t) {
             t.answerColour = QColor(255, 255, 0);
             t.dialog().SwatchClick(15); // Graph 1
             t.dialog().Button1->click();
         },
         [&](EnvironmentTest& t) { return t.pixelsInColumn(column, 0x00FFFF) > 0; }},
        {"a new data mark",
         [](EnvironmentTest& t) {
             QTest::mouseClick(t.dialog().SpeedButton1, Qt::LeftButton);
             QTest::mouseClick(t.palette().SpeedButton[3], Qt::LeftButton); // square outline
         },
         [](EnvironmentTest& t) { return t.form->settings().MarkType == 4; }},
        {"a changed constant with OK",
         [](EnvironmentTest& t) {
             t.dialog().Button2->click();
             Tfconstant& d = *t.form->dialogs().constants();
             t.action("Constants1")->trigger();
             d.Edit[*constantIndex('a')]->setText("3");
             QTest::mouseClick(d.OKBtn, Qt::LeftButton);
         },
         [&](EnvironmentTest& t) {
             const int y3 = t.form->engine()->WorldToPixelY(3);
             const QImage img = t.form->engine()->composedPicture();
             return img.pixelColor(column, y3) == TColourSwatch::toQColor(t.form->settings().GraphColours[0]);
         }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        // A new window for each row (OK of an earlier row may have changed the stored colours).
        openDialog();
        form->engine()->Document.DataSets.appendLines({"1,1", "2,3", "#"});
        form->engine()->Document.DataSets.setDataSetCount(1);
        form->engine()->Document.DataSetPlotting = true;
        plot("a"); // a horizontal line at y = a = 1
        const QImage before = form->engine()->composedPicture();
        row.change(*this);
        EXPECT_NE(form->engine()->composedPicture(), before);
        EXPECT_TRUE(row.shown(*this));
        EXPECT_TRUE(messages().empty()) << messages().front();
    }
}

TEST_F(EnvironmentTest, RefusedValuesKeepTheDialogOpenAndChangeNothing) {
    struct Row {
        const char* name;
        void (*enter)(TEnvironment&, TMainForm&);
        QPushButton* TEnvironment::*button;
        const char* message;
    };
    const Row rows[] = {
        {"thickness 0", [](TEnvironment& d, TMainForm&) { d.Edit1->setText("0"); }, &TEnvironment::Button3,
         "Graph Line Thickness must be from 1 to 50 pixels, not 0."},
        {"thickness 60", [](TEnvironment& d, TMainForm&) { d.Edit3->setText("60"); }, &TEnvironment::Button1,
         "Grid Line Thickness must be from 1 to 50 pixels, not 60."},
        {"thickness text", [](TEnvironment& d, TMainForm&) { d.Edit2->setText("two"); },
         &TEnvironment::Button1, "'two' is not a valid integer value"},
        {"font size 300",
         [](TEnvironment& d, TMainForm&) {
             d.chooseFont = [](const QFont&) { return QFont("DejaVu Sans", 300); };
             d.StaticText20Click();
         },
         &TEnvironment::Button3, "The font Size must be from 1 to 200 points, not 300."},
        {"range expression",
         [](TEnvironment&, TMainForm& f) { f.toolbars().fields[TToolbarSet::XMax]->setText("-3/2"); },
         &TEnvironment::Button1, "'-3/2' is not a valid floating point value"},
    };
    for (const Row& r : rows) {
        openDialog();
        const TSettingsRecord onDisk = data().readSettings();
        const TSettingsRecord inMemory = form->settings();
        r.enter(dialog(), *form);
        (dialog().*r.button)->click();
        EXPECT_EQ(messages(), std::vector<std::string>{r.message}) << r.name;
        EXPECT_TRUE(dialog().isVisible()) << r.name;
        EXPECT_EQ(data().readSettings(), onDisk) << r.name;
        // A refused Store copies nothing; a refused range field comes after Store, which stands.
        if (std::string(r.name) != "range expression") {
            EXPECT_EQ(form->settings(), inMemory) << r.name;
        }
    }
}

TEST_F(EnvironmentTest, TheAxisTypeAndGridSizeTakeEffectAtOnce) {
    openDialog();
    ASSERT_FALSE(form->settings().piAxis);
    ASSERT_TRUE(form->settings().largeGrid);
    // Clicked on their round indicators, at the left.
    for (QRadioButton* b : {dialog().AxisPi, dialog().GridSmall})
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
    EXPECT_TRUE(form->settings().piAxis);
    EXPECT_FALSE(form->settings().largeGrid);
    dialog().Button2->click();
    EXPECT_TRUE(form->settings().piAxis) << "Cancel leaves the axis type chosen";
    EXPECT_FALSE(form->settings().largeGrid);
    action("Environment1")->trigger();
    EXPECT_TRUE(dialog().AxisPi->isChecked());
    EXPECT_TRUE(dialog().GridSmall->isChecked());
}

TEST_F(EnvironmentTest, ThePaletteSetsTheMarkAtOnceAndTheDialogShowsItOnReopening) {
    openDialog();
    QTest::mouseClick(dialog().SpeedButton1, Qt::LeftButton);
    ASSERT_TRUE(palette().isVisible());
    QTest::mouseClick(palette().SpeedButton[11], Qt::LeftButton); // kind 12
    EXPECT_EQ(form->settings().MarkType, 12);
    const QImage circle = markPicture(12, 30).toImage();
    EXPECT_EQ(dialog().SpeedButton1->icon().pixmap(30, 30).toImage(), circle);
    palette().Button1->click();
    EXPECT_FALSE(palette().isVisible());
    dialog().Button2->click(); // Cancel: the mark stays
    EXPECT_EQ(form->settings().MarkType, 12);

    form->settings().MarkType = 3; // as a graph file would set it
    action("Environment1")->trigger();
    EXPECT_NE(dialog().SpeedButton1->icon().pixmap(30, 30).toImage(), circle);
    EXPECT_EQ(dialog().SpeedButton1->accessibleName(), "Data mark: diagonal cross");
    form->settings().MarkType = 12;
    dialog().Button2->click();
    action("Environment1")->trigger();
    EXPECT_EQ(dialog().SpeedButton1->icon().pixmap(30, 30).toImage(), circle);
    // Every kind has its own picture.
    for (int a = 1; a <= MarkKindCount; ++a)
        for (int b = a + 1; b <= MarkKindCount; ++b)
            EXPECT_NE(markPicture(a, 36).toImage(), markPicture(b, 36).toImage()) << a << " " << b;
}

TEST_F(EnvironmentTest, SwitchingPagesPutsTheStoredThicknessesBack) {
    openDialog();
    dialog().Edit1->setText("9");
    dialog().Edit3->setText("x");
    dialog().PageControl1->setCurrentIndex(1);
    EXPECT_EQ(dialog().Edit1->text(), "2");
    EXPECT_EQ(dialog().Edit3->text(), "1");
    // The arrows (and the field's Up and Down keys) step within 1..10.
    dialog().PageControl1->setCurrentIndex(2);
    dialog().Edit1->setFocus();
    for (int i = 0; i < 12; ++i)
        QTest::keyClick(dialog().Edit1, Qt::Key_Up);
    EXPECT_EQ(dialog().Edit1->text(), "10");
}

TEST_F(EnvironmentTest, TheFontDialogStartsFromItsOwnLastFontAndCancelStillCopiesIt) {
    openDialog();
    std::vector<QString> startedFrom;
    QFont next("DejaVu Serif", 14);
    dialog().chooseFont = [&](const QFont& start) {
        startedFrom.push_back(start.family());
        return next; // whether confirmed or cancelled, the dialog's current font comes back
    };
    dialog().StaticText20Click();
    EXPECT_EQ(dialog().StaticText20->text(), "DejaVu Serif");
    EXPECT_EQ(dialog().StaticText21->text(), "14");
    dialog().Button2->click(); // Cancel: nothing stored
    EXPECT_EQ(form->settings().fontSize, 9);

    action("Environment1")->trigger();
    EXPECT_EQ(dialog().StaticText20->text(), "DejaVu Sans") << "the fields show the settings again";
    next = QFont("DejaVu Sans Mono", 12);
    dialog().StaticText20Click();
    ASSERT_EQ(startedFrom.size(), 2u);
    EXPECT_EQ(startedFrom[1], "DejaVu Serif") << "the font dialog starts where it was left";
    dialog().Button3->click();
    EXPECT_EQ(form->settings().fontName, "DejaVu Sans Mono");
    EXPECT_EQ(form->settings().fontSize, 12);
}

} // namespace
} // namespace kurvo::test
