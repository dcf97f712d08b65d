#include "platform/QtPlatform.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

#include "platform/KeyScript.h"

namespace pw {

namespace {

QMessageBox::StandardButton standardButton(MsgResult result) {
    switch (result) {
        case MsgResult::OK:
            return QMessageBox::Ok;
        case MsgResult::Cancel:
            return QMessageBox::Cancel;
        case MsgResult::Yes:
            return QMessageBox::Yes;
        case MsgResult::No:
            return QMessageBox::No;
    }
    return QMessageBox::NoButton;
}

QMessageBox::StandardButtons standardButtons(MsgButtons buttons) {
    switch (buttons) {
        case MsgButtons::OK:
            return QMessageBox::Ok;
        case MsgButtons::OKCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case MsgButtons::YesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case MsgButtons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

MsgResult firstButton(MsgButtons buttons) {
    return (buttons == MsgButtons::OK || buttons == MsgButtons::OKCancel) ? MsgResult::OK
                                                                          : MsgResult::Yes;
}

QMessageBox::Icon boxIcon(MsgIcon icon) {
    switch (icon) {
        case MsgIcon::None:
            return QMessageBox::NoIcon;
        case MsgIcon::Critical:
            return QMessageBox::Critical;
        case MsgIcon::Question:
            return QMessageBox::Question;
        case MsgIcon::Exclamation:
            return QMessageBox::Warning;
        case MsgIcon::Information:
            return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

// Boxes and dialogs sit over the window the user is working in.
QWidget* dialogParent(QWidget* parent) {
    if (parent) return parent;
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    return QApplication::activeWindow();
}

void prepareFileDialog(QFileDialog& dialog, const FileDialogSpec& request) {
    const QStringList filters = nameFilters(request.filter);
    if (!filters.isEmpty()) dialog.setNameFilters(filters);
    if (!request.folder.isEmpty()) dialog.setDirectory(request.folder);
    if (!request.fileName.isEmpty()) dialog.selectFile(request.fileName);
    dialog.setDefaultSuffix(request.defaultSuffix);
}

std::optional<QString> runFileDialog(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty()) return std::nullopt;
    return files.first();
}

}  // namespace

QStringList nameFilters(const QString& filter) {
    if (!filter.contains(u'|')) return filter.split(QStringLiteral(";;"), Qt::SkipEmptyParts);
    const QStringList parts = filter.split(u'|');
    QStringList result;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString name = parts.at(i).trimmed();
        const QString pattern = parts.at(i + 1).trimmed();
        if (name.isEmpty() && pattern.isEmpty()) continue;
        // Qt reads the patterns from the parentheses at the end of the name.
        const QString patterns = QString(pattern).replace(u';', u' ');
        if (name.endsWith(QLatin1Char(')')) &&
            name.contains(QLatin1Char('(') + patterns + QLatin1Char(')'))) {
            result << name;
        } else {
            result << QStringLiteral("%1 (%2)").arg(name, patterns);
        }
    }
    return result;
}

QtPlatform::~QtPlatform() { setMousePointer(Pointer::Normal); }

MsgResult QtPlatform::msgBox(const MsgBoxSpec& request) {
    QMessageBox box(dialogParent(nullptr));
    box.setWindowTitle(request.caption);
    box.setTextFormat(Qt::PlainText);  // descriptions may hold '<' and '&'
    box.setText(request.text);
    box.setIcon(boxIcon(request.icon));
    box.setStandardButtons(standardButtons(request.buttons));
    MsgResult defaultAnswer = offers(request.buttons, request.defaultButton)
                                  ? request.defaultButton
                                  : firstButton(request.buttons);
    box.setDefaultButton(standardButton(defaultAnswer));
    box.setEscapeButton(standardButton(dismissAnswer(request.buttons)));
    box.exec();
    switch (box.standardButton(box.clickedButton())) {
        case QMessageBox::Ok:
            return MsgResult::OK;
        case QMessageBox::Cancel:
            return MsgResult::Cancel;
        case QMessageBox::Yes:
            return MsgResult::Yes;
        case QMessageBox::No:
            return MsgResult::No;
        default:
            return dismissAnswer(request.buttons);
    }
}

std::optional<QString> QtPlatform::openFileName(QWidget* parent, const FileDialogSpec& request) {
    QFileDialog dialog(dialogParent(parent),
                       request.title.isEmpty() ? QStringLiteral("Open") : request.title);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    prepareFileDialog(dialog, request);
    return runFileDialog(dialog);
}

std::optional<QString> QtPlatform::saveFileName(QWidget* parent, const FileDialogSpec& request) {
    QFileDialog dialog(dialogParent(parent),
                       request.title.isEmpty() ? QStringLiteral("Save As") : request.title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.overwritePrompt);
    prepareFileDialog(dialog, request);
    return runFileDialog(dialog);
}

std::optional<QString> QtPlatform::folderName(QWidget* parent, const FileDialogSpec& request) {
    QFileDialog dialog(dialogParent(parent),
                       request.title.isEmpty() ? QStringLiteral("Choose a Folder") : request.title);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    prepareFileDialog(dialog, request);
    return runFileDialog(dialog);
}

bool QtPlatform::printerSetup(QWidget* parent, QPrinter& printer) {
    // The choice of printer and its settings only: everything is printed.
    printer.setPrintRange(QPrinter::AllPages);
    QPrintDialog dialog(&printer, dialogParent(parent));
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    return dialog.exec() == QDialog::Accepted;
}

int QtPlatform::showModal(QDialog& dialog) { return dialog.exec(); }

void QtPlatform::sendKeys(const QString& keys) { deliverKeys(parseKeyScript(keys)); }

void QtPlatform::setMousePointer(Pointer pointer) {
    // The pointer is a setting, not a stack: Busy twice and Normal once leaves the arrow.
    if (pointer == Pointer::Busy && !m_busy) {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        m_busy = true;
    } else if (pointer == Pointer::Normal && m_busy) {
        QGuiApplication::restoreOverrideCursor();
        m_busy = false;
    }
}

void QtPlatform::processEvents() { QCoreApplication::processEvents(); }

}  // namespace pw
