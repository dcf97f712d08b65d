#include "platform/RichTextBox.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QPrinter>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <memory>

#include "platform/RtfReader.h"

namespace pw {

namespace {

// The font name and size on the document and on every piece of its text.
void applyFont(QTextDocument& document, const QString& name, double pointSize) {
    QFont f = document.defaultFont();
    f.setFamilies({name});
    f.setPointSizeF(pointSize);
    document.setDefaultFont(f);

    QTextCharFormat format;
    format.setFontFamilies({name});
    format.setFontPointSize(pointSize);
    QTextCursor all(&document);
    all.select(QTextCursor::Document);
    all.mergeCharFormat(format);
}

}  // namespace

bool printDocument(QTextDocument& document, QPrinter& printer) {
    // QTextDocument::print returns silently when the painter cannot start; begun here, that
    // failure is seen.
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    document.documentLayout()->setPaintDevice(&printer);
    const QRectF page = printer.pageRect(QPrinter::DevicePixel);
    document.setPageSize(page.size());
    const int pages = document.pageCount();
    for (int i = 0; i < pages; ++i) {
        if (i > 0 && !printer.newPage()) return false;
        painter.save();
        const QRectF view(0, i * page.height(), page.width(), page.height());
        painter.translate(0, -view.top());
        document.drawContents(&painter, view);
        painter.restore();
    }
    return painter.end() && printer.printerState() != QPrinter::Error;
}

RichTextBox::RichTextBox(QWidget* parent) : QTextEdit(parent) {
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setAcceptRichText(false);
    m_fontName = font().family();
    m_fontSize = font().pointSizeF();
}

void RichTextBox::loadRtf(const QByteArray& bytes) {
    fillTextDocument(parseRtf(bytes), *document());
    moveCursor(QTextCursor::Start);
}

void RichTextBox::loadText(const QString& text) {
    setPlainText(text);
    moveCursor(QTextCursor::Start);
}

QString RichTextBox::plainText() const {
    QString text = toPlainText();
    text.replace(QChar(char16_t(0x2028)), QChar('\n'));
    return text;
}

void RichTextBox::setFontNameSize(const QString& name, double pointSize) {
    m_fontName = name;
    m_fontSize = pointSize;
    QFont f = font();
    f.setFamilies({name});
    f.setPointSizeF(pointSize);
    setFont(f);
    applyFont(*document(), name, pointSize);
}

void RichTextBox::emptySelection() {
    QTextCursor cursor = textCursor();
    cursor.clearSelection();
    setTextCursor(cursor);
}

bool RichTextBox::printTo(QPrinter& printer, const QString& name, double pointSize) {
    if (!printer.isValid()) return false;
    const std::unique_ptr<QTextDocument> copy(document()->clone());
    applyFont(*copy, name, pointSize);
    return printDocument(*copy, printer);
}

}  // namespace pw
