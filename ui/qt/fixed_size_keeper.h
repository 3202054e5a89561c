#pragma once

#include <QObject>
#include <QSize>

class QWidget;

namespace dbmconv {

// Keeps a window at its designed size even where something maximizes it anyway.
//
// A window drawn with its own title bar on Wayland offers maximize and
// full-screen whatever its flags say, and a compositor that grants them sends a
// size the window must take in its next frame: a fixed-size window that keeps
// its own size there has its connection ended by a strict compositor, and with
// it the program and whatever was typed. So while the window is maximized or
// full-screen it may take any size, and it asks at once to be restored; back in
// its normal state, it is fixed again at the designed size. A compositor that
// keeps it maximized all the same (a kiosk's) is asked twice, then let be.
class FixedSizeKeeper : public QObject {
public:
    FixedSizeKeeper(QWidget* window, QSize designedSize);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watchNativeWindow();
    void stateChanged(Qt::WindowState state);
    void fixIfBack();
    void fixIfNormal();

    QWidget* window_;
    QSize designedSize_;
    bool watching_ = false;
    bool restoring_ = false;
    int restoresLeft_ = kRestoresAsked;
    static constexpr int kRestoresAsked = 2;
};

} // namespace dbmconv
