#include "data/TextColumn.h"

namespace pw {

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
    for (qsizetype i = 0; i < size(); ++i)
        if (at(i).startsWith(prefix, Qt::CaseInsensitive)) return i;
    return -1;
}

QStringList TextColumn::toList() const {
    QStringList list;
    list.reserve(size());
    for (qsizetype i = 0; i < size(); ++i) list << at(i);
    return list;
}

}  // namespace pw
