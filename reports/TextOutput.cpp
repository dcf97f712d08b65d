#include "reports/TextOutput.h"

#include <QAbstractTextDocumentLayout>
#include <QFont>
#include <QPainter>
#include <QPrinter>
#include <QTextDocument>

#include "app/Globals.h"
#include "data/RuntimeError.h"
#include "platform/Platform.h"

namespace pw {

namespace {

constexpr int kPrinterError = 482;

}  // namespace

std::optional<QString> askSaveTextFile(Platform& platform, QWidget* parent, const QString& title) {
    FileDialogSpec request;
    request.title = title;
    request.folder = globals().programDir;
    request.filter = QStringLiteral("txt files(*.txt)|*.txt|");
    request.overwritePrompt = true;
    std::optional<QString> path = platform.saveFileName(parent, request);
    if (path && path->isEmpty()) return std::nullopt;
    return path;
}

void printPlainText(const QString& text, QPrinter& printer) {
    QTextDocument doc;
    QFont font(QStringLiteral("Courier New"), 10);
    font.setStyleHint(QFont::TypeWriter);
    doc.setDefaultFont(font);
    doc.setPlainText(text);

    QPainter painter;
    if (!painter.begin(&printer)) throw RuntimeError(kPrinterError);
    doc.documentLayout()->setPaintDevice(&printer);
    const QRectF page = printer.pageRect(QPrinter::DevicePixel);
    doc.setPageSize(page.size());
    const int pages = doc.pageCount();
    for (int i = 0; i < pages; ++i) {
        if (i > 0 && !printer.newPage()) throw RuntimeError(kPrinterError);
        painter.save();
        const QRectF view(0, i * page.height(), page.width(), page.height());
        painter.translate(0, -view.top());
        doc.drawContents(&painter, view);
        painter.restore();
    }
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        throw RuntimeError(kPrinterError);
}

}  // namespace pw
