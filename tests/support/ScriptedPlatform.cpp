#include "tests/support/ScriptedPlatform.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDialog>
#include <QPointer>
#include <QPrinter>
#include <utility>

#include "platform/KeyScript.h"

namespace pw::test {

namespace {

std::string str(const QString& text) { return text.toStdString(); }

QString windowName(const QDialog& dialog) {
    return dialog.windowTitle().isEmpty() ? dialog.objectName() : dialog.windowTitle();
}

}  // namespace

ScriptedPlatform::~ScriptedPlatform() { verifyDone(); }

void ScriptedPlatform::expectMsg(MsgResult answer, const QString& textContains) {
    m_msgAnswers.emplace_back(answer, textContains);
}

void ScriptedPlatform::verifyDone() {
    for (const auto& [answer, text] : m_msgAnswers)
        ADD_FAILURE() << "A scripted message box answer was not used: " << int(answer)
                      << " to a box containing \"" << str(text) << "\"";
    for (PathAnswers* answers : {&m_open, &m_save, &m_folder, &m_printer}) {
        for (const std::optional<QString>& path : *answers)
            ADD_FAILURE() << "A scripted file or printer dialog answer was not used: "
                          << str(path.value_or("cancel"));
        answers->clear();
    }
    if (!m_modalHandlers.empty())
        ADD_FAILURE() << m_modalHandlers.size() << " scripted modal window(s) were never shown";
    m_msgAnswers.clear();
    m_modalHandlers.clear();
}

MsgResult ScriptedPlatform::msgBox(const MsgBoxSpec& request) {
    if (m_throwAtMessage) std::rethrow_exception(std::exchange(m_throwAtMessage, nullptr));
    m_messages.push_back(request);
    m_log << QStringLiteral("msg: ") + request.text;
    if (m_msgAnswers.empty()) {
        ADD_FAILURE() << "Unexpected message box \"" << str(request.caption)
                      << "\": " << str(request.text);
        return dismissAnswer(request.buttons);
    }
    const auto [answer, text] = m_msgAnswers.front();
    m_msgAnswers.pop_front();
    EXPECT_TRUE(request.text.contains(text)) << "Message box text \"" << str(request.text)
                                             << "\" does not contain \"" << str(text) << "\"";
    if (!offers(request.buttons, answer)) {
        ADD_FAILURE() << "The scripted answer " << int(answer)
                      << " is not a button of the message box: " << str(request.text);
        return dismissAnswer(request.buttons);
    }
    return answer;
}

std::optional<QString> ScriptedPlatform::takePath(const QString& logLine, PathAnswers& answers) {
    m_log << logLine;
    if (answers.empty()) {
        ADD_FAILURE() << "Unexpected dialog: " << str(logLine);
        return std::nullopt;
    }
    const std::optional<QString> path = answers.front();
    answers.pop_front();
    return path;
}

std::optional<QString> ScriptedPlatform::folderName(QWidget*, const FileDialogSpec& request) {
    return takePath(QStringLiteral("folder: ") + request.title, m_folder);
}

std::optional<QString> ScriptedPlatform::openFileName(QWidget*, const FileDialogSpec& request) {
    m_dialogFolders << request.folder;
    return takePath(QStringLiteral("open: ") + request.title, m_open);
}

std::optional<QString> ScriptedPlatform::saveFileName(QWidget*, const FileDialogSpec& request) {
    m_dialogFolders << request.folder;
    return takePath(QStringLiteral("save: ") + request.title, m_save);
}

bool ScriptedPlatform::printerSetup(QWidget*, QPrinter& printer) {
    const std::optional<QString> pdf = takePath(QStringLiteral("printer"), m_printer);
    if (!pdf) return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(*pdf);
    return true;
}

int ScriptedPlatform::showModal(QDialog& dialog) {
    m_log << QStringLiteral("modal: ") + windowName(dialog);
    QPointer<QDialog> guard(&dialog);
    dialog.setResult(0);
    if (m_modalHandlers.empty()) {
        ADD_FAILURE() << "Unexpected modal window \"" << str(windowName(dialog)) << "\"";
        dialog.reject();
        return dialog.result();
    }
    // Taken before it runs: a modal window it opens takes the next handler.
    ModalHandler handler = std::move(m_modalHandlers.front());
    m_modalHandlers.pop_front();
    m_modalStack.push_back(guard);
    dialog.show();
    handler(dialog);
    m_modalStack.pop_back();
    if (!guard) {
        ADD_FAILURE() << "A modal window was deleted while it was shown";
        return 0;
    }
    if (dialog.isVisible()) {
        ADD_FAILURE() << "The modal window \"" << str(windowName(dialog))
                      << "\" was still open after its scripted handler";
        dialog.reject();
    }
    return dialog.result();
}

void ScriptedPlatform::sendKeys(const QString& keys) {
    m_log << QStringLiteral("keys: ") + keys;
    // A modal window shown here is not activated by the desktop; its keys still go to it.
    deliverKeys(parseKeyScript(keys), m_modalStack.empty() ? nullptr : m_modalStack.back().data());
}

void ScriptedPlatform::processEvents() { QCoreApplication::processEvents(); }

}  // namespace pw::test
