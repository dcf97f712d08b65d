#include "app/frmSplash.h"

#include <QApplication>
#include <QEvent>
#include <QFont>
#include <QFontMetricsF>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>
#include <iterator>
#include <optional>

#include "platform/Platform.h"

namespace pw {

namespace {

QFont timesBold(double points) {
    QFont font(QStringLiteral("Times New Roman"));
    font.setStyleHint(QFont::Serif);
    font.setPointSizeF(points);
    font.setBold(true);
    return font;
}

// The labels' texts, in the fonts they are shown in (nullopt: the window's font).
struct SplashText {
    const char* name;
    const char* text;
    std::optional<double> timesBoldPoints;
};
constexpr SplashText kTexts[] = {
    {"lblProductName", "Korvane Platewise", 24},
    {"Label1", "Loading Database.  Please wait....", 15.75},
    {"Label2", "Version 1.0", std::nullopt},
    {"Label3", "Build 4", std::nullopt},
};

QFont fontOf(const SplashText& t) {
    return t.timesBoldPoints ? timesBold(*t.timesBoldPoints) : QApplication::font();
}

QLabel* centredLabel(const QString& name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

}  // namespace

frmSplash::frmSplash() : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("frmSplash"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QStringLiteral("Korvane Platewise"));
    // Never shown (the window has no caption), but it tells the window apart from the
    // program's message boxes, which carry the title "Platewise".
    setWindowTitle(QStringLiteral("Korvane Platewise is loading"));

    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameShape(QFrame::Box);
    QLabel** labels[] = {&lblProductName, &Label1, &Label2, &Label3};
    for (std::size_t i = 0; i < std::size(kTexts); ++i) {
        *labels[i] =
            centredLabel(QLatin1String(kTexts[i].name), QLatin1String(kTexts[i].text), Frame1);
        if (kTexts[i].timesBoldPoints) (*labels[i])->setFont(fontOf(kTexts[i]));
    }

    auto* inner = new QVBoxLayout(Frame1);
    inner->setContentsMargins(36, 24, 36, 24);
    inner->setSpacing(12);
    for (QLabel* label : {lblProductName, Label1, Label2, Label3}) inner->addWidget(label);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(6, 6, 6, 6);
    outer->addWidget(Frame1);
    Frame1->installEventFilter(this);

    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect box = rect();
        box.moveCenter(screen->availableGeometry().center());
        move(box.topLeft());
    }
}

frmSplash::~frmSplash() = default;

void frmSplash::keyPressEvent(QKeyEvent* event) {
    event->accept();
    close();
}

bool frmSplash::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Frame1 && event->type() == QEvent::MouseButtonRelease) {  // Frame1_Click
        close();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void loadSplashFonts() {
    for (const SplashText& t : kTexts)
        QFontMetricsF(fontOf(t)).horizontalAdvance(QLatin1String(t.text));
}

QPointer<frmSplash> showSplash(Platform& platform) {
    QPointer<frmSplash> splash = new frmSplash;
    splash->show();
    splash->activateWindow();
    splash->setFocus();
    platform.processEvents();
    return splash;
}

}  // namespace pw
