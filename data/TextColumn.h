#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <string_view>
#include <vector>

namespace pw {

// Whether every byte of `bytes` is ASCII (below 0x80).
bool isAscii(std::string_view bytes);

// Many short texts one after another in one UTF-8 block, as a list of thousands of rows holds
// them: about a third of the memory of as many QStrings, each of which is an allocation of its
// own. A text is decoded when it is asked for.
class TextColumn {
public:
    TextColumn() = default;
    explicit TextColumn(const QStringList& texts);

    // Room for `count` texts of `bytes` UTF-8 bytes in all, so that appending them copies nothing.
    void reserve(qsizetype count, qsizetype bytes);
    qsizetype bytes() const { return m_utf8.size(); }

    void append(QStringView text);
    void appendUtf8(std::string_view utf8);  // bytes of well-formed UTF-8

    qsizetype size() const { return qsizetype(m_ends.size()); }
    bool isEmpty() const { return m_ends.empty(); }
    QString at(qsizetype i) const;             // 0 <= i < size()
    std::string_view utf8(qsizetype i) const;  // the same text's bytes
    // The first text that is `text` exactly, or that begins with `prefix`, case not mattering;
    // -1 when none is.
    qsizetype indexOf(const QString& text) const;
    qsizetype firstStartingWith(const QString& prefix) const;
    QStringList toList() const;

    friend bool operator==(const TextColumn&, const TextColumn&) = default;

private:
    QByteArray m_utf8;
    std::vector<quint32> m_ends;  // where each text ends in m_utf8
};

}  // namespace pw
