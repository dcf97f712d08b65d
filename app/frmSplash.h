#pragma once

#include <QPointer>
#include <QWidget>

class QFrame;
class QLabel;

namespace pw {

class Platform;

// The splash window shown while the main window opens the databases: no caption, centred on
// the screen. A key or a click closes it at once.
class frmSplash : public QWidget {
    Q_OBJECT
public:
    frmSplash();
    ~frmSplash() override;

    QFrame* Frame1 = nullptr;
    QLabel* lblProductName = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// Loads the fonts of the splash window's texts, and with the first the font configuration: the
// costly part of making the window, done by Main while the session bus connects
// (connectSessionBusEarly). Making any control that shows a text waits for the bus, through the
// screen reader bridge; measuring texts does not.
void loadSplashFonts();

// Shows a new splash window modeless and lets the window system process events once.
QPointer<frmSplash> showSplash(Platform& platform);

// Shows the splash window, lets the window system paint it, runs `load` and closes the splash
// window if the user has not closed it already. Returns what `load` returns.
template <class Load>
auto withSplash(Platform& platform, Load load) {
    QPointer<frmSplash> splash = showSplash(platform);
    auto result = load();
    if (splash) splash->close();
    return result;
}

}  // namespace pw
