#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>

#include "platform/RtfReader.h"

namespace pw {
namespace {

TEST(RtfReader, CharacterFormattingFollowsGroupsAndPlain) {
    const RtfDocument doc = parseRtf(
        "{\\rtf1\\ansi\\deff1{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman Times New Roman;}}"
        "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue128;}"
        "\\f1\\fs24 a{\\b b{\\i c}\\ul d\\ul0 }e\\b f\\b0 g\\f0\\fs32\\cf1 h\\plain i\\cf2 j\\cf9 "
        "k}");
    ASSERT_EQ(doc.paragraphs.size(), 1u);
    QStringList runs;  // text, bold italic underline, font, points, colour
    for (const RtfRun& r : doc.paragraphs[0].runs) {
        const RtfCharFormat& f = r.format;
        runs << r.text + u' ' + QString::number(f.bold) + QString::number(f.italic) +
                    QString::number(f.underline) + u' ' + f.fontName + u' ' +
                    QString::number(f.pointSize) + u' ' +
                    (f.rgb ? QString::number(*f.rgb, 16) : "-");
    }
    // The group's bold and underline end with the group; \plain gives the default font
    // (\deff1), 12 points and no colour; a colour number past the table the default colour.
    const QString t = QStringLiteral(" Times New Roman 12 -");
    EXPECT_EQ(runs, QStringList({"a 000" + t, "b 100" + t, "c 110" + t, "d 101" + t, "e 000" + t,
                                 "f 100" + t, "g 000" + t, "h 000 Arial 16 ff0000", "i 000" + t,
                                 "j 000 Times New Roman 12 80", "k 000" + t}));
}

TEST(RtfReader, CharactersDestinationsAndPlainText) {
    const std::pair<QByteArray, const char*> cases[] = {
        // \'hh in code page 1252, escaped symbols, \~, and \u with its stand-in characters.
        {"{\\rtf1 caf\\'e9 \\'93q\\'94 \\{\\}\\\\ a\\~b}", "café “q” {}\\ a\u00A0b"},
        {"{\\rtf1 \\u8364?5 \\uc2\\u8364\\'80\\'8015 \\uc0\\u8364 9}", "€5 €15 €9"},
        // Negative values are the upper half of the 16-bit range; pairs make one character.
        {"{\\rtf1 \\u-3913?}", "\uF0B7"},
        {"{\\rtf1 \\u-10179?\\u-8704?}", "😀"},
        // A stand-in is passed over only up to the end of its group.
        {"{\\rtf1 {\\uc3\\u233 x}yz}", "éyz"},
        {"{\\rtf1 \\emdash\\bullet\\lquote\\rdblquote}", "—•‘”"},
        // Paragraphs, lines and tabs.
        {"{\\rtf1 \\qc Title\\par\\pard one\\line two\\tab three\r\n\\par\n\\qr right\\par}",
         "Title\none\u2028two\tthree\nright\n"},
        // Unknown and metadata destinations are skipped; a field shows its result.
        {"{\\rtf1{\\*\\generator Writer 1.0;}{\\info{\\title Secret}{\\author Me}}"
         "{\\stylesheet{\\s0 Normal;}}{\\*\\unknowndest {\\b hidden} text}"
         "{\\pict\\wmetafile8 0102\\bin4 {{{}}body "
         "{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link}} {\\newword shown}}",
         "body link shown"},
        // What is not RTF shows as plain text, in UTF-8 or else code page 1252.
        {"Meal 1\r\nLunch\r\n", "Meal 1\nLunch\n"},
        {"caf\xe9", "café"},
        {"caf\xc3\xa9", "café"},
        {"", ""},
    };
    for (const auto& [rtf, text] : cases)
        EXPECT_EQ(parseRtf(rtf).plainText(), QString::fromUtf8(text)) << rtf.toStdString();
    EXPECT_FALSE(isRtf("{\\rt"));
    EXPECT_TRUE(isRtf("\xEF\xBB\xBF \n{\\rtf1}"));
}

TEST(RtfReader, HostileInputsEndWithoutCrashing) {
    const QByteArray open(100000, '{');
    const std::pair<QByteArray, QString> cases[] = {
        // Deep nesting, closed and unclosed: the text inside is kept.
        {"{\\rtf1 " + open + "deep" + QByteArray(100000, '}'), "deep"},
        {"{\\rtf1 " + open + "\\b x", "x"},
        // Binary data longer than the file, a negative size, parameters past 32 bits.
        {"{\\rtf1 before\\bin999999999 after}", "before"},
        {"{\\rtf1\\fs99999999999999999999 x\\f123456789012 y\\bin-5 z}", "xyz"},
        // Out-of-range and malformed characters, stray closing braces.
        {"{\\rtf1 \\u-32768?}", QString(QChar(0x8000))},
        {"{\\rtf1 \\u99999?}", QString(QChar::ReplacementCharacter)},
        {"{\\rtf1 \\u-10179?x}", QString(QChar::ReplacementCharacter) + "x"},
        {"{\\rtf1 \\'zz \\'4 \\u0?a\\'00b}", "zz 4 ab"},
        {"{\\rtf1 x}}}}} trailing", "x"},
    };
    for (const auto& [rtf, text] : cases)
        EXPECT_EQ(parseRtf(rtf).plainText(), text) << rtf.left(60).toStdString();
    const RtfDocument big = parseRtf("{\\rtf1\\fs99999999999999999999 x}");
    EXPECT_GT(big.paragraphs[0].runs[0].format.pointSize, 0);

    // Every prefix of a document ends cleanly, with a prefix of its text (where the cut
    // shortens a \\u number, its last character is another one).
    const QByteArray sample =
        "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red1\\green2\\blue3;}"
        "{\\*\\x y}\\f0\\fs20\\cf1{\\b Bold}\\par caf\\'e9 \\u8364?\\bin2 ab end}";
    const QString full = QString::fromUtf8("Bold\ncafé € end");
    for (qsizetype n = 5; n <= sample.size(); ++n) {  // shorter ones are not RTF
        const QString text = parseRtf(sample.left(n)).plainText();
        EXPECT_TRUE(full.startsWith(text) || full.startsWith(text.chopped(1))) << n;
    }

    // Random bytes, as RTF and as plain text (fixed seed: the same bytes every run).
    QRandomGenerator random(20240611);
    for (int round = 0; round < 200; ++round) {
        QByteArray noise(1 + random.bounded(2000), '\0');
        for (char& c : noise) c = static_cast<char>(random.bounded(256));
        EXPECT_FALSE(parseRtf(noise).paragraphs.empty());
        // RTF syntax bytes are common in the second half of each round.
        QByteArray rtf = "{\\rtf1 ";
        for (int i = 0; i < noise.size(); ++i) {
            static const char kSyntax[] = "{}\\'*u-0123456789abinpr ";
            rtf += round % 2 ? kSyntax[random.bounded(int(sizeof kSyntax) - 1)] : noise[i];
        }
        QTextDocument doc;
        fillTextDocument(parseRtf(rtf), doc);
        EXPECT_GE(doc.blockCount(), 1);
    }
}

TEST(RtfReader, FillsATextDocumentWithFormatsAndBlocks) {
    QTextDocument doc;
    doc.setPlainText("old text");
    fillTextDocument(parseRtf("{\\rtf1{\\fonttbl{\\f0 Arial;}}\\qc\\f0\\fs28\\b Heading\\b0\\par"
                              "\\pard\\fs20 Plain {\\i slanted}}"),
                     doc);
    EXPECT_EQ(doc.toPlainText(), "Heading\nPlain slanted");
    EXPECT_EQ(doc.firstBlock().blockFormat().alignment(), Qt::AlignHCenter);
    EXPECT_EQ(doc.lastBlock().blockFormat().alignment(), Qt::AlignLeft);  // \pard resets it
    const QTextCharFormat hf = doc.firstBlock().begin().fragment().charFormat();
    EXPECT_TRUE(hf.fontWeight() == QFont::Bold && hf.fontPointSize() == 14 &&
                hf.fontFamilies().toStringList() == QStringList{"Arial"});
}

}  // namespace
}  // namespace pw
