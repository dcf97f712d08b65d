#include "platform/RichTextBox.h"

#include <QPrinter>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include "platform/RtfReader.h"

namespace pw {

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
    document()->setDefaultFont(f);

    QTextCharFormat format;
    format.setFontFamilies({name});
    format.setFontPointSize(pointSize);
    QTextCursor all(document());
    all.select(QTextCursor::Document);
    all.mergeCharFormat(format);
}

void RichTextBox::emptySelection() {
    QTextCursor cursor = textCursor();
    cursor.clearSelection();
    setTextCursor(cursor);
}

bool RichTextBox::printTo(QPrinter& printer) {
    if (!printer.isValid()) return false;
    document()->print(&printer);
    return printer.printerState() != QPrinter::Error;
}

}  // namespace pw
