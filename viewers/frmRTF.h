#pragma once

#include <QByteArray>
#include <QMainWindow>

#include "data/TextFiles.h"

class QAction;
class QMenu;
class QPlainTextEdit;

namespace pw {

class Platform;

// The text file reader: opens a text file (a saved report), shows it, saves it under another
// name and prints it. A modeless window owned by the main window.
class frmRTF : public QMainWindow {
    Q_OBJECT
public:
    frmRTF(Platform& platform, QWidget* owner);
    ~frmRTF() override;

    // Asks for the file to show. False when the user cancelled: the window is to be unloaded.
    bool Form_Load();

    void mnuFileOpen_Click();
    void mnuFileSaveAs_Click();
    void mnuFilePrint_Click();
    void mnuClose_Click();

    QString fileName() const { return m_fileName; }
    // The text the box shows, every character as it stands, line breaks as '\n'.
    QString text() const;
    // The character set the file was read in, and that an edited text is written in.
    TextEncoding encoding() const { return m_encoding; }

    QPlainTextEdit* RichTextBox1 = nullptr;
    QMenu* mnuFile = nullptr;
    QAction* mnuFileOpenAction = nullptr;
    QAction* mnuFileSaveAsAction = nullptr;
    QAction* mnuFilePrintAction = nullptr;
    QAction* mnuCloseAction = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The open routine of the load and of "Open...": false when the dialog was cancelled.
    bool openFile();
    // Puts a file's bytes into the box; the one place that knows how the box takes its text.
    void loadBox(const QByteArray& bytes);
    void Form_Resize();
    int px(int twips) const;

    Platform& m_platform;
    QByteArray m_buffer;  // the bytes last read or written
    QString m_shown;      // the box's text when it showed m_buffer
    TextEncoding m_encoding = TextEncoding::Utf8;
    QString m_fileName;  // full path of the last file opened or saved
};

}  // namespace pw
