#pragma once

#include <QByteArray>
#include <QTextEdit>

class QPrinter;
class QTextDocument;

namespace pw {

// The run-time error of a printer that cannot be used ("Printer error").
inline constexpr int kPrinterError = 482;

// Prints `document` on `printer` as one document, paginated to the printer's page (the document
// takes the printer's page size). False when drawing on the printer cannot start or the printer
// reports a failure.
bool printDocument(QTextDocument& document, QPrinter& printer);

// The rich-text box: shows a document read from RTF (or plain text), read-only by default.
// Setting its font applies to the whole text, as printing with a fixed font needs.
class RichTextBox : public QTextEdit {
    Q_OBJECT
public:
    explicit RichTextBox(QWidget* parent = nullptr);

    // Replaces the contents with an RTF document's bytes; bytes that are not RTF are shown as
    // their plain text.
    void loadRtf(const QByteArray& bytes);
    // Replaces the contents with plain text.
    void loadText(const QString& text);
    // The text shown, paragraphs and line breaks as '\n'.
    QString plainText() const;

    // Sets the font name and size of the box and of all of its text; bold, italic, underline
    // and colours are kept.
    void setFontNameSize(const QString& name, double pointSize);
    QString fontName() const { return m_fontName; }
    double fontSize() const { return m_fontSize; }

    // Leaves nothing selected, so that printing takes the whole document.
    void emptySelection();

    // Prints the whole document in the font `name`, `pointSize` (bold, italic... kept); false
    // when the printer could not be used. A copy is printed: the box keeps the font it shows.
    bool printTo(QPrinter& printer, const QString& name, double pointSize);

private:
    QString m_fontName;
    double m_fontSize = 0;
};

}  // namespace pw
