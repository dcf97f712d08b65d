#pragma once

#include <QCoreApplication>
#include <QString>

#include "platform/Platform.h"

namespace pw::bench {

// Answers every prompt at once, as a user pressing Enter would, and opens no window modally.
class QuietPlatform : public Platform {
public:
    MsgResult msgBox(const MsgBoxSpec& request) override { return request.defaultButton; }
    std::optional<QString> openFileName(QWidget*, const FileDialogSpec&) override {
        return std::nullopt;
    }
    std::optional<QString> saveFileName(QWidget*, const FileDialogSpec&) override {
        return std::nullopt;
    }
    std::optional<QString> folderName(QWidget*, const FileDialogSpec&) override {
        return std::nullopt;
    }
    bool printerSetup(QWidget*, QPrinter&) override { return false; }
    int showModal(QDialog&) override { return 0; }
    void sendKeys(const QString&) override {}
    void setMousePointer(Pointer) override {}
    void processEvents() override { QCoreApplication::processEvents(); }
};

// A program folder made once per run: the real food table and a meal store holding meal 1
// ("Breakfast") with its header row.
QString programFolder();

// Closes the main window the benchmarks share; called before the application ends.
void closeWindow();

}  // namespace pw::bench
