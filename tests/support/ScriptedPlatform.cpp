#include "tests/support/ScriptedPlatform.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDialog>
#include <QPointer>
#include <QPrinter>

#include "platform/KeyScript.h"

namespace pw::test {

namespace {

const char* answerName(MsgResult answer) {
    switch (answer) {
        case MsgResult::OK:
            return "OK";
        case MsgResult::Cancel:
            return "Cancel";
        case MsgResult::Yes:
            return "Yes";
        case MsgResult::No:
            return "No";
    }
    return "?";
}

std::string str(const QString& text) { return text.toStdString(); }

QString windowName(const QDialog& dialog) {
    return dialog.windowTitle().isEmpty() ? dialog.objectName() : dialog.windowTitle();
}

}  // namespace

ScriptedPlatform::~ScriptedPlatform() { verifyDone(); }

void ScriptedPlatform::expectMsg(MsgResult answer, const QString& textContains) {
    m_msgAnswers.push_back({answer, textContains});
}

void ScriptedPlatform::expectOpenFile(const QString& path) {
    m_openAnswers.push_back({true, path});
}
void ScriptedPlatform::expectOpenFileCancel() { m_openAnswers.push_back({false, {}}); }
void ScriptedPlatform::expectSaveFile(const QString& path) {
    m_saveAnswers.push_back({true, path});
}
void ScriptedPlatform::expectSaveFileCancel() { m_saveAnswers.push_back({false, {}}); }
void ScriptedPlatform::expectPrinterSetup(const QString& pdfPath) {
    m_printerAnswers.push_back({true, pdfPath});
}
void ScriptedPlatform::expectPrinterSetupCancel() { m_printerAnswers.push_back({false, {}}); }
void ScriptedPlatform::expectModal(ModalHandler handler) {
    m_modalHandlers.push_back(std::move(handler));
}

void ScriptedPlatform::verifyDone() {
    for (const MsgAnswer& a : m_msgAnswers) {
        ADD_FAILURE() << "A scripted message box answer was not used: " << answerName(a.answer)
                      << " to a box containing \"" << str(a.textContains) << "\"";
    }
    auto unusedDialogs = [](const char* kind, const std::deque<PathAnswer>& answers) {
        for (const PathAnswer& a : answers) {
            ADD_FAILURE() << "A scripted " << kind << " answer was not used: "
                          << (a.chosen ? str(a.path) : std::string("cancel"));
        }
    };
    unusedDialogs("Open dialog", m_openAnswers);
    unusedDialogs("Save As dialog", m_saveAnswers);
    unusedDialogs("printer setup", m_printerAnswers);
    if (!m_modalHandlers.empty()) {
        ADD_FAILURE() << m_modalHandlers.size() << " scripted modal window(s) were never shown";
    }
    m_msgAnswers.clear();
    m_openAnswers.clear();
    m_saveAnswers.clear();
    m_printerAnswers.clear();
    m_modalHandlers.clear();
}

MsgResult ScriptedPlatform::msgBox(const MsgBoxSpec& request) {
    m_messages.push_back(request);
    m_log << QStringLiteral("msg: ") + request.text;
    if (m_msgAnswers.empty()) {
        ADD_FAILURE() << "Unexpected message box \"" << str(request.caption)
                      << "\": " << str(request.text);
        return dismissAnswer(request.buttons);
    }
    const MsgAnswer expected = m_msgAnswers.front();
    m_msgAnswers.pop_front();
    if (!request.text.contains(expected.textContains)) {
        ADD_FAILURE() << "Message box text \"" << str(request.text) << "\" does not contain \""
                      << str(expected.textContains) << "\"";
    }
    if (!offers(request.buttons, expected.answer)) {
        ADD_FAILURE() << "The scripted answer " << answerName(expected.answer)
                      << " is not a button of the message box: " << str(request.text);
        return dismissAnswer(request.buttons);
    }
    return expected.answer;
}

std::optional<QString> ScriptedPlatform::fileDialog(const char* kind,
                                                    std::deque<PathAnswer>& answers,
                                                    const FileDialogSpec& request) {
    m_fileDialogs.push_back(request);
    m_log << QString::fromLatin1(kind) + QStringLiteral(": ") + request.title;
    if (answers.empty()) {
        ADD_FAILURE() << "Unexpected " << kind << " file dialog \"" << str(request.title) << "\"";
        return std::nullopt;
    }
    const PathAnswer answer = answers.front();
    answers.pop_front();
    if (!answer.chosen) return std::nullopt;
    return answer.path;
}

std::optional<QString> ScriptedPlatform::openFileName(QWidget*, const FileDialogSpec& request) {
    return fileDialog("open", m_openAnswers, request);
}

std::optional<QString> ScriptedPlatform::saveFileName(QWidget*, const FileDialogSpec& request) {
    return fileDialog("save", m_saveAnswers, request);
}

bool ScriptedPlatform::printerSetup(QWidget*, QPrinter& printer) {
    m_log << QStringLiteral("printer");
    if (m_printerAnswers.empty()) {
        ADD_FAILURE() << "Unexpected printer setup dialog";
        return false;
    }
    const PathAnswer answer = m_printerAnswers.front();
    m_printerAnswers.pop_front();
    if (!answer.chosen) return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(answer.path);
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
    m_sentKeys << keys;
    m_log << QStringLiteral("keys: ") + keys;
    // A modal window shown here is not activated by the desktop; its keys still go to it.
    QWidget* modal = m_modalStack.empty() ? nullptr : m_modalStack.back().data();
    deliverKeys(parseKeyScript(keys), modal);
}

void ScriptedPlatform::setMousePointer(Pointer) {}

void ScriptedPlatform::processEvents() {
    ++m_processEventsCount;
    QCoreApplication::processEvents();
}

}  // namespace pw::test
