#include "app/frmAbout.h"

#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <algorithm>

namespace pw {

frmAbout::frmAbout(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("frmAbout"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setWindowTitle(QStringLiteral("About Korvane Platewise"));
    // Drawn text is not read by assistive technology; the description carries it.
    setAccessibleDescription(lines().join(QChar('\n')).trimmed());

    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setDefault(true);
    connect(Command1, &QPushButton::clicked, this, &frmAbout::Command1_Click);

    // Room for the widest line, the lines, and the button under them.
    const QFontMetrics metrics(font());
    int width = 0;
    for (const QString& line : lines()) width = std::max(width, metrics.horizontalAdvance(line));
    m_textHeight = metrics.lineSpacing() * static_cast<int>(lines().size());
    const QSize button = Command1->sizeHint().expandedTo(QSize(90, 0));
    const int margin = metrics.lineSpacing();
    setFixedSize(width + 2 * margin, m_textHeight + margin + button.height() + margin);
    Command1->setGeometry((this->width() - button.width()) / 2, m_textHeight + margin,
                          button.width(), button.height());
}

frmAbout::~frmAbout() = default;

QStringList frmAbout::lines() {
    return {QString(), QStringLiteral("   Korvane Platewise Version 1.0, build 4 "), QString(),
            QStringLiteral("   Note that this program requires the graphics adapter to be set"),
            QStringLiteral("   to at least an 800 by 600 display.")};
}

void frmAbout::Command1_Click() { close(); }

// Every repaint draws the lines again, so they survive the window being covered.
void frmAbout::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    const QFontMetrics metrics(font());
    int baseline = metrics.ascent();
    for (const QString& line : lines()) {
        painter.drawText(0, baseline, line);
        baseline += metrics.lineSpacing();
    }
}

void frmAbout::showEvent(QShowEvent* event) {
    if (QWidget* owner = parentWidget()) {
        QRect box = frameGeometry();
        box.moveCenter(owner->frameGeometry().center());
        move(box.topLeft());
    }
    QDialog::showEvent(event);
}

}  // namespace pw
