#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

class QTextDocument;

namespace pw {

// The part of Rich Text Format that documents like ours use: groups, the font and colour tables,
// bold, italic, underline, \plain, \par, \pard, \line, \tab, font and size changes, alignment,
// tab stops,
// \'hh and \uN characters. Destinations it does not know are skipped whole.
//
// Reading is a pure function of the bytes: it never throws, never recurses on the input and
// takes time and memory in proportion to the input, whatever the input is (deep nesting, a huge
// \binN, a truncated file, binary garbage).

enum class RtfAlign { Left, Center, Right, Justify };

struct RtfCharFormat {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    QString fontName;             // empty: the document's default font
    double pointSize = 12;        // RTF gives half points; \fs24 is 12 points
    std::optional<unsigned> rgb;  // 0xRRGGBB; none: the default text colour

    bool operator==(const RtfCharFormat&) const = default;
};

struct RtfRun {
    QString text;  // may hold '\t' and U+2028 (a line break inside the paragraph)
    RtfCharFormat format;
};

struct RtfParagraph {
    RtfAlign align = RtfAlign::Left;
    std::vector<int> tabStops;  // positions in twips (1/1440 inch) from \txN
    std::vector<RtfRun> runs;   // adjacent runs always differ in format

    QString text() const;
};

struct RtfDocument {
    std::vector<RtfParagraph> paragraphs;  // never empty

    // The text of every paragraph, joined by '\n'.
    QString plainText() const;
};

// Deepest group nesting that keeps its own formatting; deeper groups share their parent's.
inline constexpr int kRtfMaxDepth = 256;

// Whether the bytes begin as an RTF document does ("{\rtf", after blanks or a UTF-8 mark).
bool isRtf(const QByteArray& bytes);

// Reads an RTF document. Bytes that are not RTF come back as their plain text.
RtfDocument parseRtf(const QByteArray& bytes);

// Text of single-byte characters in the Windows code page 1252 (Western), which is also how
// \'hh characters of the default character set are read.
QString decodeAnsi(const QByteArray& bytes);

// Plain text of a text file's bytes: UTF-8 when they are valid UTF-8 (a byte order mark is
// dropped), otherwise code page 1252; CR LF and lone CR become '\n'; NUL characters are dropped.
QString decodeTextFile(const QByteArray& bytes);

// Replaces the contents of `doc` with `rtf`, each run in its font, size, colour and style.
void fillTextDocument(const RtfDocument& rtf, QTextDocument& doc);

}  // namespace pw
