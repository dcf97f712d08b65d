#include "app/Globals.h"

#include "data/RuntimeError.h"
#include "platform/Platform.h"

namespace pw {

Globals& globals() {
    static Globals g;
    return g;
}

QString errorReportText(int number, const QString& description, const QString& lineBreak) {
    return QStringLiteral("Error number ") + QString::number(number) +
           QStringLiteral(" was encountered.") + lineBreak +
           QStringLiteral("Which is described as: ") +
           (description.isEmpty() ? errorDescription(number) : description);
}

void GlobalErrorHandler(Platform& platform, int number, const QString& description) {
    switch (number) {
        case err::DialogCancelled:
            return;
        case err::OutOfMemory:
            platform.message(
                QStringLiteral("File selected is too large for this program to handle"));
            return;
        case err::InputPastEnd:
            platform.message(QStringLiteral("Error Number 62, Input past end of File.") +
                             QChar('\n') +
                             QStringLiteral("This means you tried to read a binary file"));
            return;
        case err::UpdateCancelled:
            platform.message(QStringLiteral(
                "Error 3426  Information has not been entered correctly in the entry fields"));
            return;
        default:
            platform.message(errorReportText(number, description, QStringLiteral("\n\r")));
    }
}

QString documentPath(const QString& fileName) {
    const Globals& g = globals();
    return (g.documentDir.isEmpty() ? g.programDir : g.documentDir) + QChar('/') + fileName;
}

}  // namespace pw
