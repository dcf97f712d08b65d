#include "viewers/frmHLP.h"

#include <QAction>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <cmath>

#include "data/RuntimeError.h"
#include "platform/GlobalModule.h"
#include "platform/Guard.h"
#include "platform/Platform.h"
#include "platform/RichTextBox.h"
#include "platform/TextFit.h"
#include "platform/Twips.h"
#include "viewers/FormErrorHandler.h"

namespace pw {

namespace {

// Documents larger than this are not read: no help text comes near it.
constexpr qint64 kMaxDocumentBytes = 64 * 1024 * 1024;

}  // namespace

frmHLP::frmHLP(Platform& platform, QWidget* owner)
    : QMainWindow(owner, Qt::Window), m_platform(platform) {
    setObjectName(QStringLiteral("frmHLP"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Help for Platewise"));

    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("central"));
    RichTextBox1 = new RichTextBox(central);
    RichTextBox1->setObjectName(QStringLiteral("RichTextBox1"));
    RichTextBox1->setAccessibleName(QStringLiteral("Help text"));
    setCentralWidget(central);
    central->installEventFilter(this);

    mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
    mnuFilePrintAction = mnuFile->addAction(QStringLiteral("&Print"));
    mnuFileExitAction = mnuFile->addAction(QStringLiteral("&Close Help"));
    connectGuarded(m_platform, mnuFilePrintAction, &QAction::triggered, this,
                   &frmHLP::mnuFilePrint_Click);
    connectGuarded(m_platform, mnuFileExitAction, &QAction::triggered, this,
                   &frmHLP::mnuFileExit_Click);
    openAtSize(*this, QSize(px(9000), px(7000)));
}

frmHLP::~frmHLP() = default;

int frmHLP::px(int twips) const { return twipsToPixelsY(*this, twips); }

void frmHLP::Form_Load() { Fill(); }

void frmHLP::Fill() {
    const QString path = globals().svHelpFile;
    const QFileInfo info(path);
    if (!info.exists()) {
        m_platform.message(QStringLiteral(
            "Helpfile not found, make sure help files are in the same directory as the "
            "program file."));
        return;
    }
    if (!info.isFile() || info.size() == 0 || info.size() > kMaxDocumentBytes) return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError || bytes.isEmpty()) return;
    m_buffer = std::move(bytes);
    RichTextBox1->loadRtf(m_buffer);
}

bool frmHLP::eventFilter(QObject* watched, QEvent* event) {
    if (watched == centralWidget() && event->type() == QEvent::Resize) Form_Resize();
    return QMainWindow::eventFilter(watched, event);
}

void frmHLP::Form_Resize() {
    const QSize inner = centralWidget()->size();
    const int width = inner.width() - px(100);
    const int height = inner.height() - px(85);
    if (width <= 0 || height <= 0) return;  // too small or minimised: leave the box
    RichTextBox1->setGeometry(px(50), px(50), width, height);
}

void frmHLP::mnuFilePrint_Click() {
    QPrinter printer(QPrinter::HighResolution);  // the default printer, no dialog
    printTo(printer);
}

void frmHLP::printTo(QPrinter& printer) {
    RichTextBox1->emptySelection();
    // The document is printed in Courier New 11 from a copy, so a printer that cannot print
    // leaves the document as it was shown.
    if (!RichTextBox1->printTo(printer, QStringLiteral("Courier New"), 11)) {
        FormErrorHandler(m_platform, kPrinterError);
        return;
    }
    RichTextBox1->setFontNameSize(QStringLiteral("MS Sans Serif"), 8);
}

void frmHLP::mnuFileExit_Click() { close(); }

}  // namespace pw
