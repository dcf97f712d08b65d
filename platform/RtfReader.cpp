#include "platform/RtfReader.h"

#include <QColor>
#include <QFont>
#include <QStringDecoder>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>
#include <map>
#include <string_view>

namespace pw {

namespace {

// Code page 1252 at 0x80..0x9F; the five bytes it leaves undefined keep their own value.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QChar ansiChar(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) return QChar(kCp1252High[byte - 0x80]);
    return QChar(char16_t(byte));
}

constexpr QChar kLineBreak(char16_t(0x2028));

// Destinations whose text is not part of the document shown.
constexpr std::string_view kSkippedDestinations[] = {"annotation",
                                                     "atnauthor",
                                                     "atnid",
                                                     "author",
                                                     "bkmkend",
                                                     "bkmkstart",
                                                     "buptim",
                                                     "colorschememapping",
                                                     "comment",
                                                     "creatim",
                                                     "datastore",
                                                     "doccomm",
                                                     "fldinst",
                                                     "filetbl",
                                                     "footer",
                                                     "footerf",
                                                     "footerl",
                                                     "footerr",
                                                     "footnote",
                                                     "ftncn",
                                                     "ftnsep",
                                                     "ftnsepc",
                                                     "generator",
                                                     "header",
                                                     "headerf",
                                                     "headerl",
                                                     "headerr",
                                                     "info",
                                                     "keywords",
                                                     "latentstyles",
                                                     "listoverridetable",
                                                     "listtable",
                                                     "mmathPr",
                                                     "nonshppict",
                                                     "object",
                                                     "operator",
                                                     "pgdsctbl",
                                                     "pict",
                                                     "pn",
                                                     "printim",
                                                     "revtbl",
                                                     "revtim",
                                                     "rsidtbl",
                                                     "shpinst",
                                                     "stylesheet",
                                                     "subject",
                                                     "template",
                                                     "themedata",
                                                     "title",
                                                     "xe",
                                                     "xmlnstbl",
                                                     "tc"};

bool isSkippedDestination(std::string_view word) {
    return std::find(std::begin(kSkippedDestinations), std::end(kSkippedDestinations), word) !=
           std::end(kSkippedDestinations);
}

enum class Dest { Text, Skip, FontTable, ColorTable };

constexpr int kMaxTwips = 31680;  // 22 inches, the widest page RTF knows
constexpr size_t kMaxTabStops = 64;

struct State {
    RtfCharFormat format;
    RtfAlign align = RtfAlign::Left;
    std::vector<int> tabStops;
    Dest dest = Dest::Text;
    int uc = 1;  // characters that stand in for a \u character in readers without Unicode
};

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Lone halves of a surrogate pair become the replacement character.
QString withValidSurrogates(const QString& text) {
    QString out = text;
    for (qsizetype i = 0; i < out.size(); ++i) {
        const QChar c = out.at(i);
        if (c.isHighSurrogate() && i + 1 < out.size() && out.at(i + 1).isLowSurrogate()) {
            ++i;
        } else if (c.isSurrogate()) {
            out[i] = QChar::ReplacementCharacter;
        }
    }
    return out;
}

class Parser {
public:
    explicit Parser(const QByteArray& bytes) : m_in(bytes) { m_doc.paragraphs.emplace_back(); }

    RtfDocument run() {
        const qsizetype n = m_in.size();
        while (m_pos < n && !m_done) {
            const char c = m_in.at(m_pos);
            if (c == '{') {
                ++m_pos;
                openGroup();
            } else if (c == '}') {
                ++m_pos;
                closeGroup();
            } else if (c == '\\') {
                ++m_pos;
                controlSequence();
            } else {
                ++m_pos;
                byteChar(static_cast<unsigned char>(c));
            }
        }
        finish();
        return std::move(m_doc);
    }

private:
    void openGroup() {
        m_fallback = 0;
        if (static_cast<int>(m_stack.size()) < kRtfMaxDepth) {
            m_stack.push_back(m_cur);
        } else {
            ++m_overflow;
        }
        m_ignorable = false;
    }

    void closeGroup() {
        m_fallback = 0;
        m_ignorable = false;
        if (m_cur.dest == Dest::FontTable) storeFontName();
        if (m_overflow > 0) {
            --m_overflow;
            return;
        }
        if (m_stack.size() <= 1) {  // the document's own group has ended
            m_done = true;
            return;
        }
        m_cur = m_stack.back();
        m_stack.pop_back();
    }

    // A backslash has been read: a control word, a control symbol or a \'hh character.
    void controlSequence() {
        const qsizetype n = m_in.size();
        if (m_pos >= n) return;
        const char c = m_in.at(m_pos);
        if (!isLetter(c)) {
            ++m_pos;
            controlSymbol(c);
            return;
        }
        std::string word;
        while (m_pos < n && isLetter(m_in.at(m_pos))) {
            if (word.size() < 32) word.push_back(m_in.at(m_pos));
            ++m_pos;
        }
        bool hasParam = false;
        bool negative = false;
        std::int64_t value = 0;
        if (m_pos + 1 < n && m_in.at(m_pos) == '-' && isDigit(m_in.at(m_pos + 1))) {
            negative = true;
            ++m_pos;
        }
        while (m_pos < n && isDigit(m_in.at(m_pos))) {
            hasParam = true;
            value = std::min<std::int64_t>(value * 10 + (m_in.at(m_pos) - '0'), INT32_MAX);
            ++m_pos;
        }
        if (m_pos < n && m_in.at(m_pos) == ' ') ++m_pos;
        const int param = static_cast<int>(negative ? -value : value);
        controlWord(word, hasParam, param);
    }

    void controlSymbol(char c) {
        switch (c) {
            case '\\':
            case '{':
            case '}':
                textChar(QChar(char16_t(c)));
                return;
            case '\'':
                hexChar();
                return;
            case '~':
                textChar(QChar(char16_t(0x00A0)));
                return;
            case '_':
                textChar(QChar(char16_t(0x2011)));
                return;
            case '*':
                m_ignorable = true;
                return;
            case '\n':
            case '\r':
                m_ignorable = false;
                paragraphEnd();
                return;
            default:  // \- optional hyphen, \| \: formula and index marks, anything else
                return;
        }
    }

    void hexChar() {
        const qsizetype n = m_in.size();
        const int hi = m_pos < n ? hexValue(m_in.at(m_pos)) : -1;
        const int lo = m_pos + 1 < n ? hexValue(m_in.at(m_pos + 1)) : -1;
        if (hi < 0 || lo < 0) return;  // not a character: the letters that follow are text
        m_pos += 2;
        textChar(ansiChar(static_cast<unsigned char>(hi * 16 + lo)));
    }

    void controlWord(const std::string& w, bool hasParam, int param) {
        const bool ignorable = m_ignorable;
        m_ignorable = false;
        if (w == "bin") {  // binary data follows: never read as text
            const qsizetype skip = std::max(0, hasParam ? param : 0);
            m_pos += std::min(skip, m_in.size() - m_pos);
            return;
        }
        if (m_cur.dest == Dest::Skip) return;
        if (w == "fonttbl") {
            m_cur.dest = Dest::FontTable;
            return;
        }
        if (w == "colortbl") {
            m_cur.dest = Dest::ColorTable;
            return;
        }
        if (ignorable || isSkippedDestination(w)) {
            m_cur.dest = Dest::Skip;
            return;
        }
        const bool on = !hasParam || param != 0;
        if (m_cur.dest == Dest::FontTable) {
            if (w == "f") {
                storeFontName();
                m_tableFont = param;
            } else if (w == "u") {
                unicodeChar(param);
            }
            return;
        }
        if (m_cur.dest == Dest::ColorTable) {
            const unsigned part = static_cast<unsigned>(std::clamp(param, 0, 255));
            if (w == "red") m_color = (m_color.value_or(0) & 0x00FFFFu) | (part << 16);
            if (w == "green") m_color = (m_color.value_or(0) & 0xFF00FFu) | (part << 8);
            if (w == "blue") m_color = (m_color.value_or(0) & 0xFFFF00u) | part;
            return;
        }
        RtfCharFormat& f = m_cur.format;
        if (w == "par" || w == "sect" || w == "page" || w == "row") {
            paragraphEnd();
        } else if (w == "pard") {
            m_cur.align = RtfAlign::Left;
            m_cur.tabStops.clear();
        } else if (w == "tx") {
            if (param > 0 && param <= kMaxTwips && m_cur.tabStops.size() < kMaxTabStops) {
                m_cur.tabStops.push_back(param);
            }
        } else if (w == "ql") {
            m_cur.align = RtfAlign::Left;
        } else if (w == "qc") {
            m_cur.align = RtfAlign::Center;
        } else if (w == "qr") {
            m_cur.align = RtfAlign::Right;
        } else if (w == "qj") {
            m_cur.align = RtfAlign::Justify;
        } else if (w == "plain") {
            f = RtfCharFormat{};
            f.fontName = fontName(m_defaultFont);
        } else if (w == "b") {
            f.bold = on;
        } else if (w == "i") {
            f.italic = on;
        } else if (w == "ul" || w == "uld" || w == "uldb" || w == "ulw" || w == "ulth" ||
                   w == "uldash") {
            f.underline = on;
        } else if (w == "ulnone") {
            f.underline = false;
        } else if (w == "f") {
            f.fontName = fontName(param);
        } else if (w == "fs") {
            f.pointSize = hasParam ? std::clamp(param, 2, 3276) / 2.0 : 12.0;
        } else if (w == "cf") {
            f.rgb = param >= 0 && param < static_cast<int>(m_colors.size())
                        ? m_colors[static_cast<size_t>(param)]
                        : std::nullopt;
        } else if (w == "deff") {
            m_defaultFont = param;
        } else if (w == "uc") {
            m_cur.uc = std::clamp(hasParam ? param : 1, 0, 16);
        } else if (w == "u") {
            unicodeChar(param);
        } else if (w == "line") {
            textChar(kLineBreak);
        } else if (w == "tab" || w == "cell") {
            textChar(QChar('\t'));
        } else if (w == "emdash") {
            textChar(QChar(char16_t(0x2014)));
        } else if (w == "endash") {
            textChar(QChar(char16_t(0x2013)));
        } else if (w == "bullet") {
            textChar(QChar(char16_t(0x2022)));
        } else if (w == "lquote") {
            textChar(QChar(char16_t(0x2018)));
        } else if (w == "rquote") {
            textChar(QChar(char16_t(0x2019)));
        } else if (w == "ldblquote") {
            textChar(QChar(char16_t(0x201C)));
        } else if (w == "rdblquote") {
            textChar(QChar(char16_t(0x201D)));
        } else {
            return;  // a word this reader does not know changes nothing
        }
    }

    // \uN: a signed 16-bit code unit, followed by `uc` stand-in characters to pass over.
    void unicodeChar(int param) {
        int unit = param < 0 ? param + 65536 : param;
        QChar c = unit >= 0 && unit <= 0xFFFF ? QChar(char16_t(unit)) : QChar::ReplacementCharacter;
        m_fallback = 0;
        textChar(c);
        m_fallback = m_cur.uc;
    }

    void byteChar(unsigned char byte) {
        if (byte < 0x20 && byte != '\t') return;  // line ends and control bytes are not text
        textChar(ansiChar(byte));
    }

    void textChar(QChar c) {
        m_ignorable = false;
        if (m_fallback > 0) {
            --m_fallback;
            return;
        }
        if (c.isNull()) return;
        switch (m_cur.dest) {
            case Dest::Skip:
                return;
            case Dest::FontTable:
                if (c == QChar(';')) {
                    storeFontName();
                } else {
                    m_fontNameText.append(c);
                }
                return;
            case Dest::ColorTable:
                if (c == QChar(';')) {
                    m_colors.push_back(m_color);
                    m_color.reset();
                }
                return;
            case Dest::Text:
                break;
        }
        RtfParagraph& p = m_doc.paragraphs.back();
        if (p.runs.empty() || !(p.runs.back().format == m_cur.format)) {
            p.runs.push_back(RtfRun{QString(), m_cur.format});
        }
        p.runs.back().text.append(c);
    }

    void paragraphEnd() {
        takeParagraphFormat();
        m_doc.paragraphs.emplace_back();
    }

    // The paragraph properties in force at the paragraph's end are the paragraph's.
    void takeParagraphFormat() {
        RtfParagraph& p = m_doc.paragraphs.back();
        p.align = m_cur.align;
        p.tabStops = m_cur.tabStops;
        std::sort(p.tabStops.begin(), p.tabStops.end());
    }

    void storeFontName() {
        const QString name = m_fontNameText.trimmed();
        if (!name.isEmpty() && m_tableFont >= 0 && !m_fonts.contains(m_tableFont)) {
            m_fonts.emplace(m_tableFont, name);
        }
        m_fontNameText.clear();
    }

    QString fontName(int number) const {
        const auto it = m_fonts.find(number);
        return it == m_fonts.end() ? QString() : it->second;
    }

    void finish() {
        takeParagraphFormat();
        for (RtfParagraph& p : m_doc.paragraphs) {
            for (RtfRun& r : p.runs) r.text = withValidSurrogates(r.text);
        }
    }

    const QByteArray& m_in;
    qsizetype m_pos = 0;
    bool m_done = false;
    std::vector<State> m_stack;
    int m_overflow = 0;  // groups opened beyond the deepest kept level
    State m_cur;
    bool m_ignorable = false;  // \* was just read
    int m_fallback = 0;        // stand-in characters still to pass over
    RtfDocument m_doc;

    std::map<int, QString> m_fonts;
    int m_defaultFont = 0;
    int m_tableFont = -1;
    QString m_fontNameText;
    std::vector<std::optional<unsigned>> m_colors;
    std::optional<unsigned> m_color;
};

}  // namespace

QString RtfParagraph::text() const {
    QString out;
    for (const RtfRun& r : runs) out += r.text;
    return out;
}

QString RtfDocument::plainText() const {
    QStringList lines;
    for (const RtfParagraph& p : paragraphs) lines << p.text();
    return lines.join(QChar('\n'));
}

bool isRtf(const QByteArray& bytes) {
    QByteArrayView view(bytes);
    if (view.startsWith("\xEF\xBB\xBF")) view = view.sliced(3);
    view = view.trimmed();
    return view.startsWith("{\\rtf");
}

QString decodeAnsi(const QByteArray& bytes) {
    QString out(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        out[i] = ansiChar(static_cast<unsigned char>(bytes.at(i)));
    }
    return out;
}

QString decodeTextFile(const QByteArray& bytes) {
    QByteArrayView view(bytes);
    if (view.startsWith("\xEF\xBB\xBF")) view = view.sliced(3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(view);
    if (utf8.hasError()) text = decodeAnsi(view.toByteArray());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QChar('\r'), QChar('\n'));
    text.remove(QChar(char16_t(0)));
    return text;
}

RtfDocument parseRtf(const QByteArray& bytes) {
    if (isRtf(bytes)) {
        const qsizetype start = bytes.indexOf('{');
        const QByteArray body =
            QByteArray::fromRawData(bytes.constData() + start, bytes.size() - start);
        return Parser(body).run();
    }
    RtfDocument doc;
    RtfCharFormat plain;
    plain.pointSize = 0;
    const QStringList lines = decodeTextFile(bytes).split(QChar('\n'));
    for (const QString& line : lines) {
        RtfParagraph p;
        if (!line.isEmpty()) p.runs.push_back(RtfRun{line, plain});
        doc.paragraphs.push_back(std::move(p));
    }
    return doc;
}

void fillTextDocument(const RtfDocument& rtf, QTextDocument& doc) {
    doc.clear();
    QTextCursor cursor(&doc);
    bool first = true;
    for (const RtfParagraph& p : rtf.paragraphs) {
        QTextBlockFormat block;
        switch (p.align) {
            case RtfAlign::Left:
                block.setAlignment(Qt::AlignLeft);
                break;
            case RtfAlign::Center:
                block.setAlignment(Qt::AlignHCenter);
                break;
            case RtfAlign::Right:
                block.setAlignment(Qt::AlignRight);
                break;
            case RtfAlign::Justify:
                block.setAlignment(Qt::AlignJustify);
                break;
        }
        QList<QTextOption::Tab> tabs;
        for (int twips : p.tabStops)
            tabs.append(QTextOption::Tab(twips / 15.0, QTextOption::LeftTab));
        block.setTabPositions(tabs);
        if (first) {
            cursor.setBlockFormat(block);
            first = false;
        } else {
            cursor.insertBlock(block);
        }
        for (const RtfRun& r : p.runs) {
            QTextCharFormat format;
            if (!r.format.fontName.isEmpty()) format.setFontFamilies({r.format.fontName});
            if (r.format.pointSize > 0) format.setFontPointSize(r.format.pointSize);
            format.setFontWeight(r.format.bold ? QFont::Bold : QFont::Normal);
            format.setFontItalic(r.format.italic);
            format.setFontUnderline(r.format.underline);
            if (r.format.rgb) format.setForeground(QColor(QRgb(0xFF000000u | *r.format.rgb)));
            cursor.insertText(r.text, format);
        }
    }
}

}  // namespace pw
