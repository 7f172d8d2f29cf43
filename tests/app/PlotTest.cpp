// Plotting from the window: Enter and the Plot button, error reports, and input while a plot runs.
#include "AppTestSupport.h"

#include "InputGuard.h"
#include "PaintBox.h"

#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>

namespace kurvo::test {
namespace {

/// Counts the picture's pixels in a colour within a small square around (px, py).
int pixelsNear(const QImage& img, int px, int py, QColor colour, int radius = 2) {
    int n = 0;
    for (int y = py - radius; y <= py + radius; ++y)
        for (int x = px - radius; x <= px + radius; ++x)
            if (img.valid(x, y) && QColor(img.pixel(x, y)).rgb() == colour.rgb()) ++n;
    return n;
}

TEST_F(AppTest, TypingAFormulaAndPressingEnterDrawsIt) {
    open();
    formulaEdit()->clear();
    QTest::keyClicks(formulaEdit(), "x^2");
    QTest::keyClick(form->toolbars().formulaBox, Qt::Key_Return);
    TPlotEngine& e = *form->engine();
    EXPECT_EQ(form->settings().LastGraph, 0);
    EXPECT_EQ(e.Document.UserFormulas[0], "x^2");
    EXPECT_TRUE(form->recordedMessages().empty()) << form->recordedMessages().front();
    const QImage img = e.composedPicture();
    const QColor graph = e.graphColour(0);
    // Points of y = x² land on the graph colour; a point off the curve does not.
    for (double x : {-2.0, 0.5, 1.0, 2.5}) {
        EXPECT_GT(pixelsNear(img, e.WorldToPixelX(x), e.WorldToPixelY(x * x), graph), 0) << "x=" << x;
    }
    EXPECT_EQ(pixelsNear(img, e.WorldToPixelX(2), e.WorldToPixelY(-3), graph), 0);
    // The plot area shows the picture.
    QImage screen = form->paintBox()->grab().toImage();
    EXPECT_GT(pixelsNear(screen, e.WorldToPixelX(1), e.WorldToPixelY(1), graph), 0);
}

TEST_F(AppTest, PlotButtonAndPopupPlotTheNextSlot) {
    open();
    formulaEdit()->setText("x");
    QTest::mouseClick(form->toolbars().plotButton, Qt::LeftButton);
    formulaEdit()->setText("2x+1");
    action("Plot")->trigger();
    EXPECT_EQ(form->settings().LastGraph, 1);
    EXPECT_EQ(form->engine()->Document.UserFormulas[1], "2x+1");
}

TEST_F(AppTest, PolarAndImplicitGraphsAreDrawn) {
    struct Row {
        const char* mode;
        const char* formula;
        double wx, wy; // a point on the curve
    };
    const Row rows[] = {
        {"Polar1", "2sin(3t)", 0.0, 0.0},        // the rose passes through the pole
        {"Implicit1", "x^2+y^2=25", 3.0, 4.0},   // on the upper half of the circle
        {"Implicit1", "x^2+y^2=25", -4.0, -3.0}, // and on the lower one
    };
    for (const Row& row : rows) {
        open();
        action(row.mode)->trigger();
        formulaEdit()->setText(row.formula);
        QTest::keyClick(form->toolbars().formulaBox, Qt::Key_Return);
        EXPECT_TRUE(form->recordedMessages().empty()) << row.mode << ": " << form->recordedMessages().front();
        TPlotEngine& e = *form->engine();
        EXPECT_GT(pixelsNear(e.composedPicture(), e.WorldToPixelX(row.wx), e.WorldToPixelY(row.wy),
                             e.graphColour(0), 3),
                  0)
            << row.mode;
        form.reset();
    }
}

TEST_F(AppTest, EvaluationErrorsOfPolarPlotsAreReported) {
    open();
    action("Polar1")->trigger();
    formulaEdit()->setText("1/(t-t)");
    QTest::keyClick(form->toolbars().formulaBox, Qt::Key_Return);
    ASSERT_EQ(form->recordedMessages().size(), 1u);
    EXPECT_EQ(form->recordedMessages()[0], "Floating point division by zero");
}

TEST_F(AppTest, ABadRangeFieldIsReportedNotThrown) {
    open();
    field(TToolbarSet::XMax)->setText("(");
    formulaEdit()->setText("x");
    QTest::keyClick(form->toolbars().formulaBox, Qt::Key_Return);
    ASSERT_EQ(form->recordedMessages().size(), 1u);
    EXPECT_EQ(field(TToolbarSet::XMax)->text(), "(");
}

TEST_F(AppTest, TheEnginesCursorsShowOverThePlotArea) {
    open();
    using Cursor = TPlotHost::Cursor;
    const struct {
        Cursor cursor;
        Qt::CursorShape shape;
    } rows[] = {{Cursor::Hourglass, Qt::WaitCursor},
                {Cursor::Cross, Qt::CrossCursor},
                {Cursor::Hand, Qt::PointingHandCursor},
                {Cursor::Drag, Qt::DragMoveCursor}};
    for (const auto& row : rows) {
        form->plotHost().setCursor(row.cursor);
        EXPECT_EQ(form->paintBox()->cursor().shape(), row.shape) << static_cast<int>(row.cursor);
        form->plotHost().setCursor(Cursor::Normal);
        EXPECT_FALSE(form->paintBox()->testAttribute(Qt::WA_SetCursor)) << static_cast<int>(row.cursor);
    }
}

TEST_F(AppTest, InputWhilePlottingIsSwallowedExceptEscape) {
    open();
    TInputGuard& guard = form->inputGuard();
    const int before = guard.swallowed();
    {
        TBusyScope busy(guard);
        // A click on the Polar button and typing into the formula field must not act.
        QToolButton* polar = button(item::PolarMode);
        QPoint c = polar->rect().center();
        QCoreApplication::postEvent(polar, new QMouseEvent(QEvent::MouseButtonPress, c, polar->mapToGlobal(c),
                                                           Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
        QCoreApplication::postEvent(polar,
                                    new QMouseEvent(QEvent::MouseButtonRelease, c, polar->mapToGlobal(c),
                                                    Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
        QCoreApplication::postEvent(formulaEdit(),
                                    new QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a"));
        EXPECT_FALSE(form->plotHost().pollStop());
        EXPECT_TRUE(form->settings().CartesianMode);
        EXPECT_GE(guard.swallowed() - before, 3);

        // Escape is noted and reported by the next poll that runs.
        QTest::qWait(10);
        QCoreApplication::postEvent(formulaEdit(),
                                    new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
        EXPECT_TRUE(form->plotHost().pollStop());
        QTest::qWait(10);
        EXPECT_FALSE(form->plotHost().pollStop());
        // A close request waits for the end of the plot.
        QCoreApplication::postEvent(form.get(), new QCloseEvent);
        QTest::qWait(10);
        form->plotHost().pollStop();
        EXPECT_TRUE(form->isVisible());
    }
    // While a message box is up inside a plot, input reaches it, yet the run still counts as busy
    // so a resize cannot start a second paint under the first.
    {
        TBusyScope busy(guard);
        const bool was = guard.suspend();
        formulaEdit()->setText("");
        formulaEdit()->setFocus();
        QTest::keyClicks(formulaEdit(), "ab");
        EXPECT_EQ(formulaEdit()->text(), "ab");
        EXPECT_TRUE(guard.busy());
        guard.resume(was);
        QTest::keyClicks(formulaEdit(), "c");
        EXPECT_EQ(formulaEdit()->text(), "ab");
    }
    // Afterwards input acts again.
    QTest::mouseClick(button(item::PolarMode), Qt::LeftButton);
    EXPECT_FALSE(form->settings().CartesianMode);
}

TEST_F(AppTest, PollsCloserThanFiveMillisecondsReturnAtOnce) {
    open();
    TInputGuard& guard = form->inputGuard();
    TBusyScope busy(guard);
    QElapsedTimer t;
    t.start();
    EXPECT_FALSE(guard.poll());
    // An Escape posted now is not looked at by a poll within the interval...
    QCoreApplication::postEvent(formulaEdit(),
                                new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    bool stopped = false;
    int polls = 0;
    while (!stopped && polls < 100 && t.nsecsElapsed() < TInputGuard::PollIntervalNs / 2) {
        stopped = guard.poll();
        ++polls;
    }
    if (t.nsecsElapsed() < TInputGuard::PollIntervalNs) {
        EXPECT_FALSE(stopped) << polls << " polls";
    }
    // ...but by the first one after it.
    QTest::qWait(6);
    EXPECT_TRUE(stopped || guard.poll());
}

TEST_F(AppTest, EscapeStopsARunningPlot) {
    open();
    // A dense polar plot, long enough to be stopped part way.
    action("Polar1")->trigger();
    form->toolbars().plotStep->setValue(200000);
    field(TToolbarSet::TMax)->setText("100");
    formulaEdit()->setText("2sin(3t)");
    QTimer::singleShot(30, form.get(), [this] {
        QCoreApplication::postEvent(formulaEdit(),
                                    new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    });
    QElapsedTimer t;
    t.start();
    form->commands().action(Command::Plot)->trigger();
    ASSERT_EQ(form->recordedMessages().size(), 1u);
    EXPECT_EQ(form->recordedMessages()[0], "Plot stopped");
    EXPECT_LT(t.elapsed(), 5000);
}

} // namespace
} // namespace kurvo::test
