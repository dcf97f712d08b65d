#include "app/frmSplash.h"

#include <QEvent>
#include <QFont>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

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
    lblProductName =
        centredLabel(QStringLiteral("lblProductName"), QStringLiteral("Korvane Platewise"), Frame1);
    lblProductName->setFont(timesBold(24));
    Label1 = centredLabel(QStringLiteral("Label1"),
                          QStringLiteral("Loading Database.  Please wait...."), Frame1);
    Label1->setFont(timesBold(15.75));
    Label2 = centredLabel(QStringLiteral("Label2"), QStringLiteral("Version 1.0"), Frame1);
    Label3 = centredLabel(QStringLiteral("Label3"), QStringLiteral("Build 4"), Frame1);

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

QPointer<frmSplash> showSplash(Platform& platform) {
    QPointer<frmSplash> splash = new frmSplash;
    splash->show();
    splash->activateWindow();
    splash->setFocus();
    platform.processEvents();
    return splash;
}

}  // namespace pw
