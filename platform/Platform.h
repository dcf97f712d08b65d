#pragma once

#include <QString>
#include <optional>

class QDialog;
class QPrinter;
class QWidget;

namespace pw {

enum class MsgButtons { OK, OKCancel, YesNo, YesNoCancel };
enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgResult { OK, Cancel, Yes, No };

// The program's title, the caption of every message box without one of its own.
inline const QString kAppTitle = QStringLiteral("Platewise");

struct MsgBoxSpec {
    QString text;
    MsgButtons buttons = MsgButtons::OK;
    MsgIcon icon = MsgIcon::None;
    QString caption = kAppTitle;
    MsgResult defaultButton = MsgResult::OK;
};

struct FileDialogSpec {
    QString title;
    QString filter;                // "Text Files (*.txt);;All Files (*.*)"
    QString folder;                // initial folder; empty: the current one
    QString fileName;              // initial file name
    bool overwritePrompt = false;  // Save As: ask before replacing a file
    QString defaultSuffix;         // Save As: added to a name typed without one ("csv")
};

// Whether a box with `buttons` offers `answer`.
constexpr bool offers(MsgButtons buttons, MsgResult answer) {
    switch (buttons) {
        case MsgButtons::OK:
            return answer == MsgResult::OK;
        case MsgButtons::OKCancel:
            return answer == MsgResult::OK || answer == MsgResult::Cancel;
        case MsgButtons::YesNo:
            return answer == MsgResult::Yes || answer == MsgResult::No;
        case MsgButtons::YesNoCancel:
            return answer != MsgResult::OK;
    }
    return false;
}

// The answer of a box dismissed without choosing (Escape, closing it): the cautious one.
constexpr MsgResult dismissAnswer(MsgButtons buttons) {
    switch (buttons) {
        case MsgButtons::OK:
            return MsgResult::OK;
        case MsgButtons::YesNo:
            return MsgResult::No;
        case MsgButtons::OKCancel:
        case MsgButtons::YesNoCancel:
            return MsgResult::Cancel;
    }
    return MsgResult::Cancel;
}

enum class Pointer { Normal, Busy };

// Everything the program asks of the desktop goes through here, so that tests can answer it.
// The program's windows receive a Platform&; production uses QtPlatform, tests a scripted one.
class Platform {
public:
    virtual ~Platform() = default;

    virtual MsgResult msgBox(const MsgBoxSpec& request) = 0;

    // nullopt: the user cancelled the dialog.
    virtual std::optional<QString> openFileName(QWidget* parent, const FileDialogSpec& request) = 0;
    virtual std::optional<QString> saveFileName(QWidget* parent, const FileDialogSpec& request) = 0;
    // An existing folder (the request's title and initial folder); nullopt: cancelled.
    virtual std::optional<QString> folderName(QWidget* parent, const FileDialogSpec& request) = 0;
    // The printer-setup dialog for `printer`; false: cancelled.
    virtual bool printerSetup(QWidget* parent, QPrinter& printer) = 0;

    // Shows one of the program's own windows modally and returns its result when it has closed.
    virtual int showModal(QDialog& dialog) = 0;

    // Keystrokes into the focused control: "{PGUP}", "{PGDN}", "{tab}", "{ENTER}" or plain text.
    virtual void sendKeys(const QString& keys) = 0;

    virtual void setMousePointer(Pointer pointer) = 0;
    virtual void processEvents() = 0;

    // Conveniences over msgBox.
    void message(const QString& text, const QString& caption = kAppTitle) {
        msgBox({text, MsgButtons::OK, MsgIcon::None, caption, MsgResult::OK});
    }
    // A confirmation: Yes and No, the question icon, No the default, caption "Question".
    bool confirm(const QString& text) {
        return msgBox({text, MsgButtons::YesNo, MsgIcon::Question, QStringLiteral("Question"),
                       MsgResult::No}) == MsgResult::Yes;
    }
};

}  // namespace pw
