#include "platform/TextOutput.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QPrinter>
#include <QStandardPaths>
#include <QTextDocument>

#include "data/RuntimeError.h"
#include "data/TextFiles.h"
#include "platform/GlobalModule.h"
#include "platform/Platform.h"
#include "platform/RichTextBox.h"

namespace pw {

QString fileDialogFolder() {
    const Globals& g = globals();
    if (!g.lastFileFolder.isEmpty()) return g.lastFileFolder;
    // Run from its build folder, the program keeps its files beside itself.
    if (QDir::cleanPath(g.programDir) == QDir::cleanPath(QCoreApplication::applicationDirPath()))
        return g.programDir;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QDir(documents).exists() ? documents : QDir::homePath();
}

void rememberFileDialogFolder(const QString& path) {
    globals().lastFileFolder = QFileInfo(path).absolutePath();
}

std::optional<QString> askSaveFile(Platform& platform, QWidget* parent, const QString& title,
                                   const QString& filter, const QString& defaultSuffix) {
    FileDialogSpec request;
    request.title = title;
    request.folder = fileDialogFolder();
    request.filter = filter;
    request.overwritePrompt = true;
    request.defaultSuffix = defaultSuffix;
    std::optional<QString> path = platform.saveFileName(parent, request);
    if (!path || path->isEmpty()) return std::nullopt;
    rememberFileDialogFolder(*path);
    if (!defaultSuffix.isEmpty() && QFileInfo(*path).suffix().isEmpty()) {
        // A dialog that left the suffix to us asked about another file than the one written.
        *path += QChar('.') + defaultSuffix;
        const QFileInfo file(*path);
        if (file.exists() &&
            !platform.confirm(file.fileName() +
                              QStringLiteral(" already exists.\nDo you want to replace it?")))
            return std::nullopt;
    }
    return path;
}

std::optional<QString> askSaveTextFile(Platform& platform, QWidget* parent, const QString& title) {
    return askSaveFile(platform, parent, title, QStringLiteral("txt files(*.txt)|*.txt|"),
                       QStringLiteral("txt"));
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

void saveAsFile(Platform& platform, QWidget* parent, const QString& title, const QString& filter,
                const std::function<std::optional<QByteArray>(const QString&)>& bytesFor,
                const QString& defaultSuffix) {
    const std::optional<QString> path = askSaveFile(platform, parent, title, filter, defaultSuffix);
    if (!path) return;
    try {
        const std::optional<QByteArray> bytes = bytesFor(*path);
        if (bytes) saveFileBytes(*path, *bytes);
    } catch (const RuntimeError& e) {
        GlobalErrorHandler(platform, e.number(), e.description());
    }
}

}  // namespace pw
