#pragma once

#include <QDialog>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <deque>
#include <exception>
#include <functional>
#include <optional>
#include <vector>

#include "platform/Platform.h"

namespace pw::test {

// A platform whose prompts are answered by the test. The test scripts the answers before it
// acts; every prompt takes the next answer of its kind, in order, and is recorded. A prompt
// nobody scripted fails the test and gets the cautious answer (No, Cancel, a cancelled
// dialog); answers left unused when the platform is destroyed (or at verifyDone()) fail it too.
//
//     ScriptedPlatform platform;
//     platform.expectMsg(MsgResult::Yes, "Delete");          // the next box contains "Delete"
//     platform.expectModal([](QDialog& d) {                  // acts inside the next modal window
//         QTest::keyClicks(d.findChild<QLineEdit*>("txtMeal"), "12");
//         QTest::mouseClick(d.findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
//     });
class ScriptedPlatform : public Platform {
public:
    using ModalHandler = std::function<void(QDialog&)>;

    ScriptedPlatform() = default;
    ~ScriptedPlatform() override;
    ScriptedPlatform(const ScriptedPlatform&) = delete;
    ScriptedPlatform& operator=(const ScriptedPlatform&) = delete;

    // The next message box is answered `answer`; with `textContains`, its text must contain it.
    void expectMsg(MsgResult answer, const QString& textContains = {});
    // The next Open / Save As dialog chooses `path`, or is cancelled.
    void expectOpenFile(const QString& path) { m_open.push_back(path); }
    void expectOpenFileCancel() { m_open.push_back(std::nullopt); }
    void expectSaveFile(const QString& path) { m_save.push_back(path); }
    void expectSaveFileCancel() { m_save.push_back(std::nullopt); }
    void expectFolder(const QString& path) { m_folder.push_back(path); }
    // The next printer setup chooses a PDF file at `pdfPath` as the printer, or is cancelled.
    void expectPrinterSetup(const QString& pdfPath) { m_printer.push_back(pdfPath); }
    void expectPrinterSetupCancel() { m_printer.push_back(std::nullopt); }
    // The next modal window is shown and `handler` acts in it; it should close the window.
    void expectModal(ModalHandler handler) { m_modalHandlers.push_back(std::move(handler)); }

    // The next message box throws `error` instead of being shown: a failure injected into
    // whatever handler asked for the message.
    void throwAtNextMessage(std::exception_ptr error) { m_throwAtMessage = std::move(error); }

    // Fails the test for every scripted answer not used, and forgets them.
    void verifyDone();

    // Every message box shown, in order.
    const std::vector<MsgBoxSpec>& messages() const { return m_messages; }
    // Every prompt in order: "msg: <text>", "open: <title>", "save: <title>", "printer",
    // "modal: <window title>", "keys: <keys>".
    QStringList log() const { return m_log; }
    // The folder each Open and Save As dialog started in, in order.
    QStringList dialogFolders() const { return m_dialogFolders; }

    MsgResult msgBox(const MsgBoxSpec& request) override;
    std::optional<QString> openFileName(QWidget* parent, const FileDialogSpec& request) override;
    std::optional<QString> saveFileName(QWidget* parent, const FileDialogSpec& request) override;
    std::optional<QString> folderName(QWidget* parent, const FileDialogSpec& request) override;
    bool printerSetup(QWidget* parent, QPrinter& printer) override;
    int showModal(QDialog& dialog) override;
    void sendKeys(const QString& keys) override;
    void setMousePointer(Pointer) override {}
    void processEvents() override;

private:
    // A file or printer dialog's answers: a path, or nullopt for a cancelled dialog.
    using PathAnswers = std::deque<std::optional<QString>>;
    std::optional<QString> takePath(const QString& logLine, PathAnswers& answers);

    std::deque<std::pair<MsgResult, QString>> m_msgAnswers;
    std::exception_ptr m_throwAtMessage;
    PathAnswers m_open, m_save, m_folder, m_printer;
    std::deque<ModalHandler> m_modalHandlers;
    std::vector<QPointer<QDialog>> m_modalStack;  // modal windows being shown, innermost last
    std::vector<MsgBoxSpec> m_messages;
    QStringList m_log;
    QStringList m_dialogFolders;
};

}  // namespace pw::test
