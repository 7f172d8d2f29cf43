// TInputGuard: keeps user input away from the graph state while a plotting loop dispatches events.
#pragma once

#include <QElapsedTimer>
#include <QObject>

#include <utility>

namespace kurvo {

/// Installed on the application. While a plot runs (`busy`), it swallows keyboard, mouse, wheel,
/// shortcut and close input so no command can change the graph or the picture under the running
/// loop; paint and other events still flow. An Escape key press is noted instead and reported by
/// the next poll.
class TInputGuard : public QObject {
  public:
    /// Minimum time between two real polls: a plot polls once per sample, and dispatching events
    /// that often would cost more than the plot itself.
    static constexpr qint64 PollIntervalNs = 5'000'000;

    explicit TInputGuard(QObject* parent = nullptr);

    /// Marks the start and the end of a plotting run; runs nest.
    void enter();
    void leave();
    bool busy() const { return depth_ > 0; }

    /// Dispatches pending events (at most every PollIntervalNs) and returns true once after each
    /// Escape press seen since the last poll.
    bool poll();

    /// Input that arrived while busy and was dropped (for the tests).
    int swallowed() const { return swallowed_; }

    /// Lets input through while a modal message box waits for the user, and stops it again after.
    /// The run stays busy meanwhile, so a resize in that time still waits for the plot to end.
    bool suspend() { return std::exchange(suspended_, true); }
    void resume(bool wasSuspended) { suspended_ = wasSuspended; }

    /// Pop-up hints (tool tips) are shown only when this is on.
    void setHintsShown(bool shown) { hints_ = shown; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    int depth_ = 0;
    bool hints_ = true;
    bool suspended_ = false;
    bool escape_ = false;
    int swallowed_ = 0;
    QElapsedTimer sinceLastPoll_;
};

/// Holds the guard busy for one scope.
class TBusyScope {
  public:
    explicit TBusyScope(TInputGuard& g) : guard_(g) { guard_.enter(); }
    ~TBusyScope() { guard_.leave(); }
    TBusyScope(const TBusyScope&) = delete;
    TBusyScope& operator=(const TBusyScope&) = delete;

  private:
    TInputGuard& guard_;
};

/// Lets input through for one scope (a modal dialog or message box waits for the user), and stops
/// it again at the end of the scope when it was stopped before.
class TSuspendScope {
  public:
    explicit TSuspendScope(TInputGuard& g) : guard_(g), wasSuspended_(g.suspend()) {}
    ~TSuspendScope() { guard_.resume(wasSuspended_); }
    TSuspendScope(const TSuspendScope&) = delete;
    TSuspendScope& operator=(const TSuspendScope&) = delete;

  private:
    TInputGuard& guard_;
    bool wasSuspended_;
};

} // namespace kurvo
