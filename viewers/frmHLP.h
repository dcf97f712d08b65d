#pragma once

#include <QMainWindow>

class QAction;
class QMenu;
class QPrinter;

namespace pw {

class Platform;
class RichTextBox;

// The help viewer: shows the instructions or the background on Daily Values, the document named
// by svHelpFile. A modeless window owned by the main window; choosing the other document
// replaces the one shown in the same window.
class frmHLP : public QMainWindow {
    Q_OBJECT
public:
    frmHLP(Platform& platform, QWidget* owner);
    ~frmHLP() override;

    // Runs Fill once, as loading the window does.
    void Form_Load();
    // Reads the document at svHelpFile into the box. A missing file is reported; an empty file
    // or one that cannot be read leaves the box as it was.
    void Fill();

    void mnuFilePrint_Click();
    // Printing on `printer`: the document in Courier New 11, then the box in MS Sans Serif 8.
    // A printer that cannot be used is reported and the box keeps the font it had.
    void printTo(QPrinter& printer);
    void mnuFileExit_Click();

    RichTextBox* RichTextBox1 = nullptr;
    QMenu* mnuFile = nullptr;
    QAction* mnuFilePrintAction = nullptr;
    QAction* mnuFileExitAction = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Resize();
    int px(int twips) const;

    Platform& m_platform;
    QByteArray m_buffer;  // the document's bytes as read
};

}  // namespace pw
