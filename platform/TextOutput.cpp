#include "platform/TextOutput.h"

#include <QFont>
#include <QPrinter>
#include <QTextDocument>

#include "data/RuntimeError.h"
#include "platform/GlobalModule.h"
#include "platform/Platform.h"
#include "platform/RichTextBox.h"

namespace pw {

std::optional<QString> askSaveFile(Platform& platform, QWidget* parent, const QString& title,
                                   const QString& filter, const QString& defaultSuffix) {
    FileDialogSpec request;
    request.title = title;
    request.folder = globals().programDir;
    request.filter = filter;
    request.overwritePrompt = true;
    request.defaultSuffix = defaultSuffix;
    std::optional<QString> path = platform.saveFileName(parent, request);
    if (path && path->isEmpty()) return std::nullopt;
    return path;
}

std::optional<QString> askSaveTextFile(Platform& platform, QWidget* parent, const QString& title) {
    return askSaveFile(platform, parent, title, QStringLiteral("txt files(*.txt)|*.txt|"));
}

void printPlainText(const QString& text, QPrinter& printer) {
    QTextDocument doc;
    QFont font(QStringLiteral("Courier New"), 10);
    font.setStyleHint(QFont::TypeWriter);
    doc.setDefaultFont(font);
    doc.setPlainText(text);
    if (!printDocument(doc, printer)) throw RuntimeError(kPrinterError);
}

void showNoReportMessage(Platform& platform, const QString& toDoWhat) {
    platform.message(QStringLiteral("There is no report displayed at this time.  ") + toDoWhat +
                     QStringLiteral(" one must be currently displayed, so click on Report on the "
                                    "menu bar and generate a report."));
}

}  // namespace pw
