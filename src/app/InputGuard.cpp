// TInputGuard: the event filter that guards plotting loops, and the rate-limited stop poll.
#include "InputGuard.h"

#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>

namespace kurvo {

TInputGuard::TInputGuard(QObject* parent) : QObject(parent) {}

void TInputGuard::enter() {
    if (depth_++ == 0) {
        escape_ = false;
        sinceLastPoll_.invalidate();
    }
}

void TInputGuard::leave() {
    if (depth_ > 0) --depth_;
}

bool TInputGuard::poll() {
    if (sinceLastPoll_.isValid() && sinceLastPoll_.nsecsElapsed() < PollIntervalNs) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    sinceLastPoll_.start();
    bool stop = escape_;
    escape_ = false;
    return stop;
}

bool TInputGuard::eventFilter(QObject* watched, QEvent* event) {
    if (!hints_ && event->type() == QEvent::ToolTip) return true;
    if (!busy() || suspended_) return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) escape_ = true;
        ++swallowed_;
        return true;
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::InputMethod:
    case QEvent::Drop:
        ++swallowed_;
        return true;
    case QEvent::Close:
        // Closing would destroy the engine under the running loop: ignore it; the user may close
        // the window once the plot has ended.
        event->ignore();
        ++swallowed_;
        return true;
    default:
        return QObject::eventFilter(watched, event);
    }
}

} // namespace kurvo
