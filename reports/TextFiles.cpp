#include "reports/TextFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>

#include "data/RuntimeError.h"

namespace pw {

QByteArray readFileBytes(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists() || info.isDir()) throw RuntimeError(err::FileNotFound);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw RuntimeError(info.isReadable() ? err::PathFileAccess : err::PermissionDenied);
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) throw RuntimeError(err::PathFileAccess);
    return bytes;
}

void saveFileBytes(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        const QFileInfo dir(QFileInfo(path).absolutePath());
        throw RuntimeError(dir.exists() && !dir.isWritable() ? err::PermissionDenied
                                                             : err::PathFileAccess);
    }
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        file.cancelWriting();
        throw RuntimeError(err::PathFileAccess);
    }
}

QString withCrLf(const QString& text) {
    QString s = text;
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    s.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return s;
}

QString fileNameOnly(const QString& path) {
    const qsizetype slash =
        std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return path.mid(slash + 1);
}

}  // namespace pw
