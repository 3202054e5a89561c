#include "fixed_size_keeper.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace dbmconv {

namespace {

constexpr Qt::WindowStates kFillingStates = Qt::WindowMaximized | Qt::WindowFullScreen;
// A compositor answers a request within a frame or two; one that has not
// maximized the window by then is taken to have refused.
constexpr int kAnswerWaitMilliseconds = 1000;

bool filling(const QWidget* window)
{
    const QWindow* native = window->windowHandle();
    return native != nullptr && (native->windowStates() & kFillingStates);
}

} // namespace

FixedSizeKeeper::FixedSizeKeeper(QWidget* window, QSize designedSize)
    : QObject(window)
    , window_(window)
    , designedSize_(designedSize)
{
    window_->setFixedSize(designedSize_);
    window_->installEventFilter(this);
}

bool FixedSizeKeeper::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == window_) {
        if (event->type() == QEvent::Show) {
            watchNativeWindow();
        } else if (event->type() == QEvent::Resize) {
            fixIfBack();
        }
    }
    return QObject::eventFilter(watched, event);
}

// The native window's own signal, because it comes at once when a title bar
// asks for a state, before the compositor's answer; the widget hears of it only
// after that answer has been drawn.
void FixedSizeKeeper::watchNativeWindow()
{
    QWindow* native = window_->windowHandle();
    if (watching_ || native == nullptr) {
        return;
    }
    watching_ = true;
    connect(native, &QWindow::windowStateChanged, this, &FixedSizeKeeper::stateChanged);
}

void FixedSizeKeeper::stateChanged(Qt::WindowState state)
{
    if (!(kFillingStates & state)) {
        // A restore asked for here is not one done: the compositor's answer,
        // which may still be a maximized size, comes later.
        if (!restoring_) {
            fixIfBack();
        }
        return;
    }
    if (restoresLeft_ == 0) {
        return;
    }
    --restoresLeft_;
    window_->setMinimumSize(0, 0);
    window_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    // Asked once the state change has run its course. Some platforms pass on
    // only a state that differs from the one the compositor last confirmed, so
    // this is asked again when the confirmation comes.
    QTimer::singleShot(0, this, [this] {
        QWindow* native = window_->windowHandle();
        if (native != nullptr && (native->windowStates() & kFillingStates)) {
            restoring_ = true;
            native->setWindowStates(native->windowStates() & ~kFillingStates);
            restoring_ = false;
        }
    });
    QTimer::singleShot(kAnswerWaitMilliseconds, this, &FixedSizeKeeper::fixIfNormal);
}

// Fixed again only when really back: fixed while the compositor's maximized
// size is still on its way, the window would refuse that size.
void FixedSizeKeeper::fixIfBack()
{
    if (window_->size() == designedSize_) {
        fixIfNormal();
    }
}

// Whatever its size then: fixing it brings it back to the designed one.
void FixedSizeKeeper::fixIfNormal()
{
    if (!filling(window_) && window_->maximumSize() != designedSize_) {
        window_->setFixedSize(designedSize_);
        restoresLeft_ = kRestoresAsked;
    }
}

} // namespace dbmconv
