// TPlotGestures: what the pointer, the wheel and the plot keys do over the plot area.
#pragma once

#include "PlotKeys.h"

#include <QMetaObject>
#include <QPoint>
#include <QString>

#include <vector>

class QStatusBar;

namespace kurvo {

class TDisplayLabel;
class TMainForm;
class TPaintBox;
class TReadout;
struct TReadoutResult;

/// The plot area's gestures: the pointer readout (status bar panels, cross-hair and tangent), the
/// zoom box, the move drag, the wheel zoom and the plot keys. It holds the gesture modes and the
/// drag state; the view changes run through the window as plots.
class TPlotGestures {
  public:
    /// Puts the readout's panels into `readoutBar` and takes the plot area's pointer, wheel and keys.
    TPlotGestures(TMainForm& form, TPaintBox& box, QStatusBar& readoutBar);
    ~TPlotGestures();
    TPlotGestures(const TPlotGestures&) = delete;
    TPlotGestures& operator=(const TPlotGestures&) = delete;

    void mouseDown(Qt::MouseButton button, int X, int Y);
    void mouseMove(int X, int Y);
    void mouseUp(Qt::MouseButton button, int X, int Y);
    /// A wheel turn over the plot area; `angleDelta` in eighths of a degree, 120 a notch.
    void wheel(int X, int Y, int angleDelta);
    /// A key of the focused plot area: the arrows move the view a tenth (undoable), + and - zoom
    /// about the centre, the space bar reads the graph at the centre.
    void key(TPlotKey key);
    /// The readout of the graph nearest the view's centre in the status bar (shown for it), the
    /// free readout of the centre where no cartesian graph is drawn.
    void readCentre();

    bool zoomMode() const { return zoomMode_; }
    bool moveMode() const { return moveMode_; }
    void toggleZoomMode();
    void toggleMoveMode();
    /// Ends the zoom and move modes (the readout takes the pointer).
    void endModes();
    /// The plot area's cursor for the current gesture mode.
    void updateCursor();

    /// The text of a status bar panel (0 x, 1 y, 2 r, 3 t, 4 dy/dx).
    QString panelText(int panel) const;

  private:
    bool idle() const;
    void readoutAt(int X, int Y);
    void showReadout(const TReadoutResult& r);
    /// Puts the formula of the graph the readout follows into the formula field.
    void followGraph(TReadout& readout, int X, int Y);

    TMainForm& form_;
    TPaintBox& box_;
    std::vector<TDisplayLabel*> panels_;               ///< read by screen readers as they change
    std::vector<QMetaObject::Connection> connections_; ///< the plot area's signals, ended with this
    bool zoomMode_ = false, moveMode_ = false;
    bool dragging_ = false;   ///< a press started a gesture that its release ends
    QPoint dragStart_;        ///< where the gesture started (pixels of the plot area)
    int wheelRemainder_ = 0;  ///< wheel angle not yet a whole notch (touchpads send small steps)
    qint64 lastWheelMs_ = -1; ///< when the last wheel notch came, for grouping a turn into one undo
};

} // namespace kurvo
