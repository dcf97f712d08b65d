#pragma once

#include <QStringList>

#include "platform/Platform.h"

namespace pw {

// The desktop itself: Qt's message boxes, file and printer dialogs, modal windows and cursor.
class QtPlatform : public Platform {
public:
    QtPlatform() = default;
    ~QtPlatform() override;
    QtPlatform(const QtPlatform&) = delete;
    QtPlatform& operator=(const QtPlatform&) = delete;

    MsgResult msgBox(const MsgBoxSpec& request) override;
    std::optional<QString> openFileName(QWidget* parent, const FileDialogSpec& request) override;
    std::optional<QString> saveFileName(QWidget* parent, const FileDialogSpec& request) override;
    std::optional<QString> folderName(QWidget* parent, const FileDialogSpec& request) override;
    bool printerSetup(QWidget* parent, QPrinter& printer) override;
    int showModal(QDialog& dialog) override;
    void sendKeys(const QString& keys) override;
    void setMousePointer(Pointer pointer) override;
    void processEvents() override;

private:
    bool m_busy = false;  // our wait cursor is on the override stack
};

// The name filters of a file dialog. Takes Qt's form ("Text (*.txt);;All (*)") or the older
// pairs of name and pattern separated by bars ("txt files(*.txt)|*.txt|"); a name that does
// not already end with its pattern in parentheses gets it appended, as the dialog needs it.
QStringList nameFilters(const QString& filter);

}  // namespace pw
