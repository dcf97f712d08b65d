#include "viewers/frmRTF.h"

#include <QAction>
#include <QEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QTextCursor>
#include <algorithm>
#include <cmath>

#include "data/Database.h"
#include "data/RuntimeError.h"
#include "data/TextFiles.h"
#include "platform/GlobalModule.h"
#include "platform/Guard.h"
#include "platform/Platform.h"
#include "platform/TextFit.h"
#include "platform/TextOutput.h"
#include "platform/Twips.h"
#include "viewers/FormErrorHandler.h"

namespace pw {

namespace {

// Far beyond any saved report; a larger file would take the box minutes and gigabytes to show.
constexpr qint64 kLargestFile = 64 * 1024 * 1024;

}  // namespace

frmRTF::frmRTF(Platform& platform, QWidget* owner)
    : QMainWindow(owner, Qt::Window), m_platform(platform) {
    setObjectName(QStringLiteral("frmRTF"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("File Reader"));

    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("central"));
    RichTextBox1 = new QPlainTextEdit(central);
    RichTextBox1->setObjectName(QStringLiteral("RichTextBox1"));
    RichTextBox1->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont font(QStringLiteral("Courier New"), 10);
    font.setStyleHint(QFont::TypeWriter);
    RichTextBox1->setFont(font);
    RichTextBox1->setAccessibleName(QStringLiteral("File text"));
    setCentralWidget(central);
    central->installEventFilter(this);

    mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
    mnuFileOpenAction = mnuFile->addAction(QStringLiteral("&Open..."));
    mnuFileSaveAsAction = mnuFile->addAction(QStringLiteral("&Save As..."));
    mnuFilePrintAction = mnuFile->addAction(QStringLiteral("&Print..."));
    mnuCloseAction = mnuFile->addAction(QStringLiteral("&Close File Reader"));
    const auto onTrigger = [this](QAction* action, void (frmRTF::*handler)()) {
        connectGuarded(m_platform, action, &QAction::triggered, this, handler);
    };
    onTrigger(mnuFileOpenAction, &frmRTF::mnuFileOpen_Click);
    onTrigger(mnuFileSaveAsAction, &frmRTF::mnuFileSaveAs_Click);
    onTrigger(mnuFilePrintAction, &frmRTF::mnuFilePrint_Click);
    onTrigger(mnuCloseAction, &frmRTF::mnuClose_Click);
    openAtSize(*this, QSize(640, 480));
}

frmRTF::~frmRTF() = default;

int frmRTF::px(int twips) const { return twipsToPixelsY(*this, twips); }

bool frmRTF::Form_Load() { return openFile(); }

void frmRTF::mnuFileOpen_Click() { openFile(); }

bool frmRTF::openFile() {
    FileDialogSpec request;
    request.title = QStringLiteral("Open File");
    request.folder = fileDialogFolder();
    request.filter = QStringLiteral("text files(*.txt)|*.txt|");
    const std::optional<QString> path = m_platform.openFileName(this, request);
    if (!path) return false;
    if (path->isEmpty()) return true;
    rememberFileDialogFolder(*path);
    if (QFileInfo(*path).size() > kLargestFile) {
        GlobalErrorHandler(m_platform, err::OutOfMemory);
        return true;
    }
    try {
        const QByteArray bytes = readFileBytes(*path);
        m_buffer = bytes;
        m_fileName = *path;
        setWindowTitle(QStringLiteral(" File Reader    ") + fileNameOnly(*path));
        loadBox(bytes);
    } catch (...) {
        const RuntimeError e = pendingError();
        FormErrorHandler(m_platform, e.number(), e.description());
    }
    return true;
}

void frmRTF::loadBox(const QByteArray& bytes) {
    m_encoding = detectEncoding(bytes);
    RichTextBox1->setPlainText(decodeText(bytes, m_encoding));
    RichTextBox1->document()->setModified(false);
    m_shown = text();
}

QString frmRTF::text() const {
    // The raw text: the plain text would turn no-break spaces (byte 0xA0 of a Latin-1 file) into
    // blanks.
    QString raw = RichTextBox1->document()->toRawText();
    raw.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return raw;
}

void frmRTF::mnuFileSaveAs_Click() {
    // Unchanged text is written back byte for byte; after an edit only the lines edited are
    // written anew, in the file's character set and with its line ends.
    if (RichTextBox1->document()->isModified()) {
        const QString edited = text();
        const std::optional<QByteArray> bytes =
            editedFileBytes(m_buffer, m_encoding, m_shown, edited);
        if (!bytes) {
            m_platform.message(QStringLiteral(
                "The text holds characters that this file's character set (Latin-1) cannot "
                "hold, so it was not saved. Remove them and save again."));
            return;
        }
        m_buffer = *bytes;
        m_shown = edited;
        RichTextBox1->document()->setModified(false);
    }
    const std::optional<QString> path = askSaveTextFile(m_platform, this);
    if (!path) return;
    try {
        saveFileBytes(*path, m_buffer);
        m_fileName = *path;
        setWindowTitle(QStringLiteral("Text File Reader    ") + fileNameOnly(*path));
    } catch (...) {
        const RuntimeError e = pendingError();
        FormErrorHandler(m_platform, e.number(), e.description());
    }
}

void frmRTF::mnuFilePrint_Click() {
    QPrinter printer;
    if (!m_platform.printerSetup(this, printer)) return;
    try {
        // The whole text is printed, whatever is selected.
        QTextCursor cursor = RichTextBox1->textCursor();
        cursor.clearSelection();
        RichTextBox1->setTextCursor(cursor);
        printPlainText(text(), printer);
    } catch (...) {
        const RuntimeError e = pendingError();
        FormErrorHandler(m_platform, e.number(), e.description());
    }
}

void frmRTF::mnuClose_Click() { close(); }

bool frmRTF::eventFilter(QObject* watched, QEvent* event) {
    if (watched == centralWidget() && event->type() == QEvent::Resize) Form_Resize();
    return QMainWindow::eventFilter(watched, event);
}

void frmRTF::Form_Resize() {
    // The box fills the window below a small margin; a tiny window gets an empty box.
    const QSize inner = centralWidget()->size();
    RichTextBox1->setGeometry(0, px(25), inner.width(), std::max(0, inner.height() - px(75)));
}

}  // namespace pw
