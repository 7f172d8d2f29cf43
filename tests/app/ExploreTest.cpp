// Exploring a plot in the window: readout, tangent, zoom box, move, wheel, undo and the view commands.
#include "AppTestSupport.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QStatusBar>
#include <QTimer>
#include <QWheelEvent>

namespace kurvo::test {
namespace {

using F = TToolbarSet::RangeField;

class ExploreTest : public AppTest {
  protected:
    TPaintBox* box() { return form->paintBox(); }

    /// Types a formula and presses Enter.
    void plot(const char* formula) {
        formulaEdit()->setText(formula);
        QTest::keyClick(form->toolbars().formulaBox, Qt::Key_Return);
    }
    void setX(const QString& min, const QString& max) {
        field(F::XMin)->setText(min);
        field(F::XMax)->setText(max);
    }
    QStringList view() {
        return {field(F::XMin)->text(), field(F::XMax)->text(), field(F::YMin)->text(),
                field(F::YMax)->text()};
    }
    QStringList panels() {
        QStringList texts;
        for (int i = 0; i < 5; ++i)
            texts << form->gestures().panelText(i);
        return texts;
    }
    void press(QPoint p) { QTest::mousePress(box(), Qt::LeftButton, {}, p); }
    void move(QPoint p) { QTest::mouseMove(box(), p); }
    void release(QPoint p) { QTest::mouseRelease(box(), Qt::LeftButton, {}, p); }
    void drag(QPoint from, QPoint to) {
        press(from);
        for (int i = 1; i <= 4; ++i)
            move(from + (to - from) * i / 4);
        release(to);
    }
    void wheel(QPoint p, int angle) {
        QWheelEvent e(QPointF(p), QPointF(box()->mapToGlobal(p)), QPoint(), QPoint(0, angle), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(box(), &e);
    }
    /// Sets the readout switch (it starts on with the default settings).
    void readout(bool on) {
        if (form->settings().ShowCoordinateInfo != on) action("ShowCoordinateInfo1")->trigger();
        QCoreApplication::processEvents();
        ASSERT_EQ(form->statusBarWidget()->isVisible(), on);
    }
    void messagesEmpty() {
        EXPECT_TRUE(form->recordedMessages().empty()) << form->recordedMessages().front();
    }
};

TEST_F(ExploreTest, ReadoutOfXSquaredAtTwoInTheStatusBar) {
    open();
    readout(true);
    EXPECT_EQ(form->statusBarWidget()->findChildren<QLabel*>().front()->accessibleName(), "Pointer x");
    // A view of W/100 units over W pixels puts x = 2 at column 200.
    setX("0", QString::number(box()->width() / 100.0));
    plot("x^2");
    press(QPoint(200, 100));
    EXPECT_EQ(panels(), (QStringList{"x= 2", "y= 4", "r= 4.47214", "t= 1.10715", "dy/dx= 4.00001"}));
    ASSERT_TRUE(box()->overlays().crossHair);
    EXPECT_EQ(box()->overlays().crossHair->y(), form->engine()->WorldToPixelY(4));
    release(QPoint(200, 100));
    messagesEmpty();
}

TEST_F(ExploreTest, FreeReadoutShowsTheAngleInDegrees) {
    open();
    form->settings().coordsSnapToGraph = false;
    readout(true);
    action("Degrees1")->trigger();
    // Units of 100 pixels with the point (-1, 1) at pixel (100, 100).
    setX("-2", QString::number(box()->width() / 100.0 - 2));
    field(F::YMin)->setText(QString::number(2 - box()->height() / 100.0));
    field(F::YMax)->setText("2");
    plot("x");
    press(QPoint(100, 100));
    move(QPoint(100, 100));
    EXPECT_EQ(panels(), (QStringList{"x= -1", "y= 1", "r= 1.41421", "t= 135", "dy/dx= Undefined"}));
    EXPECT_EQ(box()->overlays().crossHair, QPoint(100, 100)); // at the pointer, not on the graph
    release(QPoint(100, 100));
    action("Radians1")->trigger();
    press(QPoint(100, 100));
    EXPECT_EQ(form->gestures().panelText(3), "t= 2.35619");
    release(QPoint(100, 100));
    messagesEmpty();
}

TEST_F(ExploreTest, OneTangentLineAfterManyMoves) {
    open();
    readout(false);
    action("ShowTangent1")->trigger();
    plot("x^2");
    TPlotEngine& e = *form->engine();
    const QColor tangent = e.colour(form->settings().tangentColour);
    const int y = e.WorldToPixelY(1);
    press(QPoint(e.WorldToPixelX(-3), y));
    for (double x = -3; x <= 2; x += 0.25)
        move(QPoint(e.WorldToPixelX(x), y));
    const QImage afterMoves = box()->grab().toImage();
    release(QPoint(e.WorldToPixelX(2), y));
    // The same tangent drawn once, from a fresh press at the last place.
    press(QPoint(e.WorldToPixelX(2), y));
    const QImage once = box()->grab().toImage();
    release(QPoint(e.WorldToPixelX(2), y));
    EXPECT_EQ(afterMoves, once);
    int onScreen = 0, inPicture = 0;
    const QImage picture = e.composedPicture();
    for (int py = 0; py < once.height(); ++py)
        for (int px = 0; px < once.width(); ++px) {
            onScreen += once.pixelColor(px, py) == tangent;
            inPicture += picture.valid(px, py) && picture.pixelColor(px, py) == tangent;
        }
    EXPECT_GT(onScreen, box()->width() / 2); // a line across the area
    EXPECT_EQ(inPicture, 0);                 // never drawn into the picture
    messagesEmpty();
}

TEST_F(ExploreTest, MovingOverAGraphWithoutValuesShowsUndefinedAndNoMessage) {
    open();
    readout(true);
    action("ShowTangent1")->trigger();
    plot("sqrt(x)");
    TPlotEngine& e = *form->engine();
    press(QPoint(e.WorldToPixelX(-5), 50));
    move(QPoint(e.WorldToPixelX(-4), 60));
    EXPECT_EQ(form->gestures().panelText(1), "y= Undefined");
    EXPECT_TRUE(box()->overlays().empty());
    move(QPoint(e.WorldToPixelX(4), 60));
    EXPECT_TRUE(form->gestures().panelText(1).startsWith("y= 1.99") || form->gestures().panelText(1).startsWith("y= 2"))
        << form->gestures().panelText(1).toStdString();
    EXPECT_TRUE(box()->overlays().tangent);
    release(QPoint(e.WorldToPixelX(4), 60));
    messagesEmpty();
}

TEST_F(ExploreTest, PointerMovesDuringAPlotLeaveThePlotAndTheReadoutAlone) {
    open();
    readout(true);
    plot("x^2");
    TPlotEngine& e = *form->engine();
    press(QPoint(e.WorldToPixelX(1), 50));
    const QStringList before = panels();
    form->editorHost().replotAllGraphs();
    const QImage reference = e.composedPicture();
    // A slow plot of the same graph again; the pointer moves while it polls for Escape.
    form->toolbars().plotStep->setValue(100000);
    int posted = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const QPointF p(e.WorldToPixelX(-3 + posted % 5), 80);
        QCoreApplication::postEvent(box(), new QMouseEvent(QEvent::MouseMove, p, box()->mapToGlobal(p),
                                                           Qt::NoButton, Qt::LeftButton, Qt::NoModifier));
        ++posted;
    });
    ticker.start(2);
    form->editorHost().replotAllGraphs();
    ticker.stop();
    EXPECT_GT(posted, 0);
    EXPECT_EQ(panels(), before);
    EXPECT_EQ(e.Parsers.Parser1.Expression(), e.Document.ParsedFormulas[0]);
    form->toolbars().plotStep->setValue(256);
    form->editorHost().replotAllGraphs();
    EXPECT_EQ(e.composedPicture(), reference);
    release(QPoint(e.WorldToPixelX(1), 50));
    messagesEmpty();
}

TEST_F(ExploreTest, ZoomBoxGesture) {
    open();
    plot("sin(x)");
    action("Zoomin1")->trigger();
    EXPECT_TRUE(form->gestures().zoomMode());
    EXPECT_EQ(box()->cursor().shape(), Qt::CrossCursor);
    const QStringList before = view();
    drag(QPoint(300, 200), QPoint(100, 50)); // bottom-right to top-left
    EXPECT_EQ(view(), before);
    press(QPoint(100, 50));
    move(QPoint(300, 200));
    ASSERT_TRUE(box()->overlays().rubberBand);
    EXPECT_EQ(*box()->overlays().rubberBand, QRect(QPoint(100, 50), QPoint(300, 200)));
    TPlotEngine& e = *form->engine();
    const double x0 = static_cast<double>(e.PixelToWorldX(100)),
                 x1 = static_cast<double>(e.PixelToWorldX(300));
    release(QPoint(300, 200));
    EXPECT_FALSE(box()->overlays().rubberBand);
    EXPECT_NEAR(field(F::XMin)->text().toDouble(), x0, 1e-4);
    EXPECT_NEAR(field(F::XMax)->text().toDouble(), x1, 1e-4);
    EXPECT_TRUE(form->gestures().zoomMode()); // it stays on across drags
    messagesEmpty();
}

TEST_F(ExploreTest, MoveByAQuarterOfTheWidth) {
    open();
    readout(false);
    plot("sin(x)");
    action("Zoomin1")->trigger();
    action("Movegraph1")->trigger();
    EXPECT_FALSE(form->gestures().zoomMode());
    EXPECT_TRUE(form->gestures().moveMode());
    EXPECT_TRUE(action("Movegraph1")->isChecked());
    EXPECT_FALSE(action("Zoomin1")->isChecked());
    const int quarter = box()->width() / 4;
    ASSERT_EQ(quarter * 4, box()->width());
    drag(QPoint(100, 100), QPoint(100 + quarter, 100));
    EXPECT_EQ(view(), (QStringList{"-5", "15", "-7", "7"}));
    // The readout ends both gesture modes.
    readout(true);
    EXPECT_FALSE(form->gestures().moveMode());
    EXPECT_FALSE(action("Movegraph1")->isChecked());
    messagesEmpty();
}

TEST_F(ExploreTest, PlotZoomOutUndo) {
    open();
    plot("x^2");
    QTest::mouseClick(button(item::ZoomOut), Qt::LeftButton);
    QTest::mouseClick(button(item::ZoomOut), Qt::LeftButton);
    EXPECT_EQ(view(), (QStringList{"-40", "40", "-28", "28"}));
    action("Undolastaction1")->trigger();
    EXPECT_EQ(view(), (QStringList{"-20", "20", "-14", "14"}));
    EXPECT_EQ(formulaEdit()->text(), "x^2");
    // Each undo goes one step further back, and the graph is never plotted again.
    action("Undolastaction1")->trigger();
    EXPECT_EQ(view(), (QStringList{"-10", "10", "-7", "7"}));
    EXPECT_EQ(form->settings().LastGraph, 0);
    messagesEmpty();
}

TEST_F(ExploreTest, WheelNotchUpThenDownRestoresTheViewExactly) {
    open();
    plot("sin(x)");
    const QStringList before = view();
    wheel(QPoint(150, 120), 120);
    const QStringList zoomed = view();
    EXPECT_NE(zoomed, before);
    EXPECT_NEAR(field(F::XMax)->text().toDouble() - field(F::XMin)->text().toDouble(), 16, 1e-4);
    wheel(QPoint(150, 120), -120);
    EXPECT_EQ(view(), before);
    // A touchpad's small steps add up to a notch.
    for (int i = 0; i < 3; ++i)
        wheel(QPoint(150, 120), 40);
    EXPECT_EQ(view(), zoomed);
    messagesEmpty();
}

TEST_F(ExploreTest, ShortcutsZoomAboutTheCentreUndoAndReturnHome) {
    open();
    plot("sin(x)");
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    box()->setFocus();
    QTest::keyClick(box(), Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_EQ(view(), (QStringList{"-8", "8", "-5.6", "5.6"}));
    QTest::keyClick(box(), Qt::Key_Minus, Qt::ControlModifier);
    QTest::keyClick(box(), Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(view(), (QStringList{"-12.5", "12.5", "-8.75", "8.75"}));
    QTest::keyClick(box(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(view(), (QStringList{"-10", "10", "-7", "7"}));
    setX("2", "3");
    plot("x");
    QTest::keyClick(box(), Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(view(), (QStringList{"-10", "10", "-7", "7"}));
    messagesEmpty();
}

TEST_F(ExploreTest, EqualScaleAndSquareAxes) {
    open();
    plot("x");
    action("EqualScale1")->trigger();
    TPlotEngine& e = *form->engine();
    // A unit is as many pixels long on both axes.
    EXPECT_NEAR(static_cast<double>(e.WorldToPixelX(1) - e.WorldToPixelX(0)),
                static_cast<double>(e.WorldToPixelY(0) - e.WorldToPixelY(1)), 1.0);
    action("Square1")->trigger();
    EXPECT_TRUE(form->settings().SquareAxes);
    EXPECT_EQ(e.PlotWidth, e.PlotHeight);
    EXPECT_EQ(action("Square1")->property("image").toInt(), 27);
    messagesEmpty();
}

TEST_F(ExploreTest, AutomaticYScalingFitsEachPlot) {
    open();
    action("Automaticyscaling1")->trigger();
    EXPECT_FALSE(field(F::YMin)->isEnabled());
    setX("-3", "3");
    plot("x^2");
    EXPECT_EQ(view(), (QStringList{"-3", "3", "-1.26", "12.6"}));
    plot("x^3");
    EXPECT_EQ(form->settings().LastGraph, 0);
    messagesEmpty();
}

} // namespace
} // namespace kurvo::test
