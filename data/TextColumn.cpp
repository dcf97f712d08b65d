#include "data/TextColumn.h"

#include <algorithm>

namespace pw {

bool isAscii(std::string_view bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 0x80; });
}

namespace {

bool isAscii(const QString& text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

// Whether two ASCII texts are the same, case not mattering.
bool sameAsciiLetters(std::string_view a, const QByteArray& b) {
    return a.size() == std::size_t(b.size()) &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c + 32) : c; };
               return lower(x) == lower(y);
           });
}

}  // namespace

TextColumn::TextColumn(const QStringList& texts) {
    m_ends.reserve(std::size_t(texts.size()));
    for (const QString& text : texts) append(text);
}

void TextColumn::reserve(qsizetype count, qsizetype bytes) {
    m_ends.reserve(std::size_t(count));
    m_utf8.reserve(bytes);
}

void TextColumn::append(QStringView text) {
    const QByteArray utf8 = text.toUtf8();
    appendUtf8(std::string_view(utf8.constData(), std::size_t(utf8.size())));
}

void TextColumn::appendUtf8(std::string_view utf8) {
    m_utf8.append(utf8.data(), qsizetype(utf8.size()));
    m_ends.push_back(quint32(m_utf8.size()));
}

std::string_view TextColumn::utf8(qsizetype i) const {
    const quint32 begin = i == 0 ? 0 : m_ends[std::size_t(i - 1)];
    return std::string_view(m_utf8.constData() + begin, m_ends[std::size_t(i)] - begin);
}

QString TextColumn::at(qsizetype i) const {
    const std::string_view bytes = utf8(i);
    return QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
}

qsizetype TextColumn::indexOf(const QString& text) const {
    const QByteArray bytes = text.toUtf8();
    const std::string_view wanted(bytes.constData(), std::size_t(bytes.size()));
    for (qsizetype i = 0; i < size(); ++i)
        if (utf8(i) == wanted) return i;
    return -1;
}

qsizetype TextColumn::firstStartingWith(const QString& prefix) const {
    // A typed prefix is nearly always ASCII: it is compared with a text's own bytes while they are
    // ASCII that far, so the usual keystroke decodes no text. Other texts are decoded and compared
    // as QStrings, whose case folding (a Kelvin sign matches a k) the bytes do not know.
    const bool asciiPrefix = isAscii(prefix);
    const QByteArray bytes = prefix.toLatin1();
    for (qsizetype i = 0; i < size(); ++i) {
        const std::string_view head = utf8(i).substr(0, std::size_t(bytes.size()));
        if (asciiPrefix && isAscii(head)) {
            if (sameAsciiLetters(head, bytes)) return i;
        } else if (at(i).startsWith(prefix, Qt::CaseInsensitive)) {
            return i;
        }
    }
    return -1;
}

QStringList TextColumn::toList() const {
    QStringList list;
    list.reserve(size());
    for (qsizetype i = 0; i < size(); ++i) list << at(i);
    return list;
}

}  // namespace pw
