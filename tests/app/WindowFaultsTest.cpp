// Faults a new user met in the window: completion on Enter, declining the data folder, a plot after a
// view change, the typed plot step, the caption, accessible names and the locale's separators.
#include "AppTestSupport.h"
#include "CoordsDialog.h"
#include "EnvironmentDialog.h"
#include "ConstantsDialog.h"

#include <QFileDialog>

#include <QApplication>
#include "DataSaveDialog.h"

#include "StartFolder.h"

#include <QAccessible>
#include <QStatusBar>

#include <clocale>
#include <cstdlib>

namespace kurvo::test {
namespace {

TEST_F(AppTest, WhatIsTypedIsWhatIsPlotted) {
    // The presets begin with "1/x" and "x^2": Enter after "1" or "x" must not take them.
    open();
    for (const char* typed : {"1", "x"}) {
        formulaEdit()->clear();
        QTest::keyClicks(formulaEdit(), typed);
        QTest::keyClick(form->toolbars().formulaBox, Qt::Key_Return);
        const int last = form->settings().LastGraph;
        ASSERT_GE(last, 0);
        EXPECT_EQ(form->engine()->Document.UserFormulas[static_cast<std::size_t>(last)], typed);
        EXPECT_EQ(formulaEdit()->text(), typed);
    }
    EXPECT_GT(form->toolbars().formulaBox->count(), 0); // the presets stay in the drop-down
}

TEST_F(AppTest, WithoutADataFolderTheDefaultsRunInMemory) {
    QTemporaryDir empty;
    std::filesystem::path folder(empty.path().toStdString());
    TMainForm window(folder, TDataSource::builtInDefaults(), TMainForm::Messages::Record);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QCoreApplication::processEvents();
    ASSERT_EQ(window.recordedMessages().size(), 1u); // said once, and nothing else went wrong
    EXPECT_NE(window.recordedMessages().front().find("built-in default settings"), std::string::npos);
    ASSERT_NE(window.toolbars().buttonBar, nullptr);
    window.toolbars().formulaBox->setEditText("x^2");
    QTest::keyClick(window.toolbars().formulaBox, Qt::Key_Return);
    EXPECT_EQ(window.settings().LastGraph, 0);
    EXPECT_EQ(window.recordedMessages().size(), 1u);
    // Saving a preset keeps it in memory and writes nothing.
    window.commands().action(Command::AddFormulaToFile)->trigger();
    EXPECT_FALSE(std::filesystem::exists(folder / "data"));
}

TEST_F(AppTest, APlotAfterTheRangeChangedRedrawsEveryGraphAtTheNewView) {
    open();
    formulaEdit()->setText("x^2");
    form->commands().action(Command::Plot)->trigger();
    field(TToolbarSet::XMax)->setText("17"); // x axis from -10 to 17: the y axis moves left
    formulaEdit()->setText("x+100");           // off the picture: only the redraw can change it
    form->commands().action(Command::Plot)->trigger();
    TPlotEngine& e = *form->engine();
    const QImage img = e.composedPicture();
    const QColor axes = e.colour(form->settings().axesColour);
    auto columnCount = [&](int x, const QColor& c) {
        int n = 0;
        for (int y = 0; y < e.PlotHeight; ++y)
            n += QColor(img.pixel(x, y)).rgb() == c.rgb();
        return n;
    };
    const int oldAxis = e.PlotWidth / 2;
    EXPECT_GT(columnCount(e.WorldToPixelX(0), axes), e.PlotHeight / 2);
    EXPECT_LT(columnCount(oldAxis, axes), e.PlotHeight / 4); // no second y axis
    // x² drawn again at the new scale.
    int near = 0;
    for (int dx = -2; dx <= 2; ++dx)
        for (int dy = -2; dy <= 2; ++dy)
            near += QColor(img.pixel(e.WorldToPixelX(2) + dx, e.WorldToPixelY(4) + dy)).rgb() ==
                    e.graphColour(0).rgb();
    EXPECT_GT(near, 0);
}

TEST_F(AppTest, ATypedPlotStepIsUsed) {
    open();
    QSpinBox* step = form->toolbars().plotStep;
    ASSERT_NE(step, nullptr);
    QLineEdit* edit = step->findChild<QLineEdit*>();
    ASSERT_NE(edit, nullptr);
    edit->selectAll();
    QTest::keyClicks(edit, "512");
    EXPECT_EQ(form->plotHost().plotStepFieldText(), "512");
    edit->selectAll();
    QTest::keyClicks(edit, "20"); // below the least plot step: taken as 32
    EXPECT_EQ(form->plotHost().plotStepFieldText(), "32");
    // The field takes every plot step the environment dialog accepts, and shows the one in effect.
    EXPECT_EQ(step->minimum(), MinPlotStep);
    EXPECT_EQ(step->maximum(), MaxPlotStep);
    form->editorHost().storeEnvironment([&] {
        TEnvironmentValues v = environmentValues(form->settings());
        v.plotStep = 500000;
        return v;
    }());
    EXPECT_EQ(form->plotHost().plotStepFieldText(), "500000");
}

TEST_F(AppTest, CaptionHintsAndAccessibleNames) {
    open();
    EXPECT_EQ(form->windowTitle(), "Kurvo32 Graph Editor");
    EXPECT_EQ(button(item::PrintGraph)->toolTip(), "Print graph");
    // Every command button and field can be found by its name.
    for (QToolButton* b : form->toolbars().buttons)
        if (b) {
            EXPECT_FALSE(b->accessibleName().isEmpty()) << b->objectName().toStdString();
            EXPECT_EQ(b->accessibleName(), b->toolTip()) << b->objectName().toStdString();
        }
    EXPECT_EQ(field(TToolbarSet::XMin)->accessibleName(), "x min");
    EXPECT_EQ(form->toolbars().formulaBox->accessibleName(), "Formula");
    // A menu command and its button are one action: disabling one disables the other.
    EXPECT_EQ(button(item::CartesianMode)->defaultAction(), action("Cart1"));
    action("Cart1")->setEnabled(false);
    EXPECT_FALSE(button(item::CartesianMode)->isEnabled());
}

TEST_F(AppTest, ARefusedRangeFieldIsSaidOncePerCause) {
    open();
    const std::string reversed = "The x max field must be greater than the x min field.";
    auto saidSince = [&](std::size_t from) {
        const auto& all = form->recordedMessages();
        return std::vector<std::string>(all.begin() + static_cast<std::ptrdiff_t>(from), all.end());
    };
    auto resizeTwice = [&] {
        for (int k = 0; k < 2; ++k) {
            form->resize(form->width() + 20, form->height() + 10);
            QTest::qWait(100);
        }
    };
    field(TToolbarSet::XMin)->setText("5");
    field(TToolbarSet::XMax)->setText("1");
    formulaEdit()->setText("x");
    std::size_t from = form->recordedMessages().size();
    QTest::keyClick(form->toolbars().formulaBox, Qt::Key_Return);
    resizeTwice(); // the window redraws by itself: said when plotted, not at every resize
    form->commands().action(Command::ShowCoordinateInfo)->trigger();
    QTest::qWait(100);
    EXPECT_EQ(saidSince(from), std::vector<std::string>{reversed});

    from = form->recordedMessages().size();
    QTest::keyClick(form->toolbars().formulaBox, Qt::Key_Return); // asked again: said again
    EXPECT_EQ(saidSince(from), std::vector<std::string>{reversed});

    from = form->recordedMessages().size();
    field(TToolbarSet::XMax)->setText("2"); // another text, still refused: a new cause, said once
    resizeTwice();
    EXPECT_EQ(saidSince(from), std::vector<std::string>{reversed});
}

/// Makes a German locale (decimal comma) in a temporary folder; false where that is not possible.
bool makeCommaLocale(const QString& folder) {
    const QString command = "localedef -i de_DE -f UTF-8 " + folder + "/de_DE.UTF-8 >/dev/null 2>&1";
    return std::system(command.toLocal8Bit().constData()) == 0;
}

TEST_F(AppTest, TheWindowReadsTheLocalesDecimalSeparator) {
    QTemporaryDir locales;
    if (!makeCommaLocale(locales.path())) GTEST_SKIP() << "localedef cannot make a de_DE locale here";
    const QByteArray oldPath = qgetenv("LOCPATH"), oldAll = qgetenv("LC_ALL");
    qputenv("LOCPATH", locales.path().toLocal8Bit());
    qputenv("LC_ALL", "de_DE.UTF-8");
    open();
    formulaEdit()->setText("1,5x");
    form->commands().action(Command::Plot)->trigger();
    qputenv("LOCPATH", oldPath);
    qputenv("LC_ALL", oldAll);
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(form->engine()->Document.ParsedFormulas[0], "(1.5*x)");
    EXPECT_EQ(form->engine()->Parsers.Translator.DecimalSeparator, ',');
}

TEST_F(AppTest, ADialogOpensAgainWhereItWasAndSaveAsDatasetIsOneWindow) {
    open();
    TDialogSet& d = form->dialogs();
    const std::pair<Command, QWidget*> rows[] = {{Command::Constants, d.constants()},
                                                 {Command::Environment, d.environment()},
                                                 {Command::CoordinateSets, d.coords()}};
    for (auto [c, dialog] : rows) {
        form->commands().action(c)->trigger();
        ASSERT_TRUE(dialog->isVisible());
        dialog->move(dialog->pos() + QPoint(30, 20));
        const QPoint where = dialog->pos();
        dialog->hide();
        form->commands().action(c)->trigger();
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(dialog->pos(), where) << dialog->objectName().toStdString();
        dialog->hide();
    }
    form->commands().action(Command::SaveDataset)->trigger();
    TDataSaveDialog* save = form->dialogs().dataSave();
    EXPECT_TRUE(save->isVisible());
    EXPECT_FALSE(save->FormSaveDialog1->isWindow()); // the file panel is part of the dialog
    EXPECT_TRUE(save->FormSaveDialog1->isVisible());
}

} // namespace
} // namespace kurvo::test
