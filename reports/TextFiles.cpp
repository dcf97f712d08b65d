#include "reports/TextFiles.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QPainter>
#include <QPrinter>
#include <QSaveFile>
#include <QTextDocument>
#include <algorithm>

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

QByteArray readFileBytes(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists() || info.isDir()) throw RuntimeError(err::FileNotFound);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw RuntimeError(info.isReadable() ? err::PathFileAccess : err::PermissionDenied);
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) throw RuntimeError(err::PathFileAccess);
    return bytes;
}

void saveFileBytes(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        const QFileInfo dir(QFileInfo(path).absolutePath());
        throw RuntimeError(dir.exists() && !dir.isWritable() ? err::PermissionDenied
                                                             : err::PathFileAccess);
    }
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        file.cancelWriting();
        throw RuntimeError(err::PathFileAccess);
    }
}

QString withCrLf(const QString& text) {
    QString s = text;
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    s.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return s;
}

QString fileNameOnly(const QString& path) {
    const qsizetype slash =
        std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return path.mid(slash + 1);
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
