#include "data/TextFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <algorithm>
#include <vector>

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

TextEncoding detectEncoding(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    return utf8.hasError() ? TextEncoding::Latin1 : TextEncoding::Utf8;
}

QString decodeText(const QByteArray& bytes, TextEncoding encoding) {
    if (encoding == TextEncoding::Latin1) return QString::fromLatin1(bytes);
    // A byte order mark stays a character of the text, so that it is written back.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return utf8.decode(bytes);
}

std::optional<QByteArray> encodeText(const QString& text, TextEncoding encoding) {
    if (encoding == TextEncoding::Utf8) return text.toUtf8();
    const bool fits =
        std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() <= 0xFF; });
    if (!fits) return std::nullopt;
    return text.toLatin1();
}

namespace {

// One line of a file's bytes and the line end that follows it (empty after the last line).
struct ByteLine {
    QByteArray content;
    QByteArray end;
};

// The file's lines as a text box splits them: at CR LF, a lone CR or a lone LF. A file ending in
// a line end has an empty last line, as the box shows it.
std::vector<ByteLine> splitLines(const QByteArray& bytes) {
    std::vector<ByteLine> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n') continue;
        const qsizetype endLength =
            (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ? 2 : 1;
        lines.push_back({bytes.mid(start, i - start), bytes.mid(i, endLength)});
        i += endLength - 1;
        start = i + 1;
    }
    lines.push_back({bytes.mid(start), QByteArray()});
    return lines;
}

}  // namespace

std::optional<QByteArray> editedFileBytes(const QByteArray& original, TextEncoding encoding,
                                          const QString& before, const QString& after) {
    const std::vector<ByteLine> lines = splitLines(original);
    const QStringList shown = before.split(QLatin1Char('\n'));
    const QStringList now = after.split(QLatin1Char('\n'));
    QByteArray newLineEnd("\r\n");
    for (const ByteLine& line : lines)
        if (!line.end.isEmpty()) {
            newLineEnd = line.end;
            break;
        }

    // Lines kept: those before the first changed line and after the last one. When the box did
    // not show the file line for line (a character it takes for a line break), every line is
    // written anew.
    const qsizetype n = qsizetype(lines.size()), m = now.size();
    qsizetype head = 0, tail = 0;
    if (shown.size() == n) {
        const qsizetype shortest = std::min(n, m);
        while (head < shortest && shown[head] == now[head]) ++head;
        while (tail < shortest - head && shown[n - 1 - tail] == now[m - 1 - tail]) ++tail;
    }

    QByteArray out;
    for (qsizetype j = 0; j < m; ++j) {
        const bool last = j == m - 1;
        const ByteLine* kept = j < head ? &lines[j] : j >= m - tail ? &lines[j - m + n] : nullptr;
        if (kept) {
            out += kept->content;
        } else {
            const std::optional<QByteArray> typed = encodeText(now[j], encoding);
            if (!typed) return std::nullopt;
            out += *typed;
        }
        // A line edited in place keeps its line end; a line added takes the file's.
        const ByteLine* own = kept ? kept : j < n - tail ? &lines[j] : nullptr;
        if (!last) out += own && !own->end.isEmpty() ? own->end : newLineEnd;
    }
    return out;
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
