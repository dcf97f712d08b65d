#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>

#include "platform/RtfReader.h"

namespace pw {
namespace {

// The runs of a one-paragraph document.
const std::vector<RtfRun>& runsOf(const RtfDocument& doc) {
    EXPECT_EQ(doc.paragraphs.size(), 1u);
    return doc.paragraphs.front().runs;
}

TEST(RtfReader, CharacterFormattingFollowsGroupsAndPlain) {
    const RtfDocument doc = parseRtf(
        "{\\rtf1\\ansi\\deff1{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman Times New Roman;}}"
        "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue128;}"
        "\\f1\\fs24 a{\\b b{\\i c}\\ul d\\ul0 }e\\b f\\b0 g\\f0\\fs32\\cf1 h\\plain i\\cf2 j\\cf9 "
        "k}");
    const std::vector<RtfRun>& runs = runsOf(doc);
    ASSERT_EQ(runs.size(), 11u);
    const QStringList texts = {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k"};
    for (size_t i = 0; i < runs.size(); ++i) EXPECT_EQ(runs[i].text, texts[int(i)]);

    EXPECT_EQ(runs[0].format.fontName, "Times New Roman");
    EXPECT_EQ(runs[0].format.pointSize, 12);
    EXPECT_FALSE(runs[0].format.bold);
    EXPECT_TRUE(runs[1].format.bold);
    EXPECT_TRUE(runs[2].format.bold && runs[2].format.italic);
    EXPECT_TRUE(runs[3].format.bold && !runs[3].format.italic && runs[3].format.underline);
    // The group's bold and underline end with the group.
    EXPECT_FALSE(runs[4].format.bold || runs[4].format.underline);
    EXPECT_TRUE(runs[5].format.bold);
    EXPECT_EQ(runs[7].format.fontName, "Arial");
    EXPECT_EQ(runs[7].format.pointSize, 16);
    EXPECT_EQ(runs[7].format.rgb, 0xFF0000u);
    // \plain: the default font (\deff1), 12 points, no colour.
    EXPECT_EQ(runs[8].format.fontName, "Times New Roman");
    EXPECT_EQ(runs[8].format.pointSize, 12);
    EXPECT_FALSE(runs[8].format.rgb.has_value());
    EXPECT_EQ(runs[9].format.rgb, 0x000080u);
    // A colour number past the table gives the default colour.
    EXPECT_FALSE(runs[10].format.rgb.has_value());
}

TEST(RtfReader, ParagraphsLinesTabsAndAlignment) {
    const RtfDocument doc = parseRtf(
        "{\\rtf1 \\qc Title\\par\\pard one\\line two\\tab three\r\n\\par\n\\qr right\\par}");
    ASSERT_EQ(doc.paragraphs.size(), 4u);
    EXPECT_EQ(doc.paragraphs[0].text(), "Title");
    EXPECT_EQ(doc.paragraphs[0].align, RtfAlign::Center);
    EXPECT_EQ(doc.paragraphs[1].text(), QString("one") + QChar(0x2028) + "two\tthree");
    EXPECT_EQ(doc.paragraphs[1].align, RtfAlign::Left);
    EXPECT_EQ(doc.paragraphs[2].text(), "right");
    EXPECT_EQ(doc.paragraphs[2].align, RtfAlign::Right);
    EXPECT_EQ(doc.paragraphs[3].text(), "");
}

TEST(RtfReader, SpecialCharacters) {
    // \'hh in code page 1252, escaped symbols, \~, and \u with its stand-in characters.
    EXPECT_EQ(parseRtf("{\\rtf1 caf\\'e9 \\'93q\\'94 \\{\\}\\\\ a\\~b}").plainText(),
              QString::fromUtf8("café “q” {}\\ a\u00A0b"));
    EXPECT_EQ(parseRtf("{\\rtf1 \\u8364?5 \\uc2\\u8364\\'80\\'8015 \\uc0\\u8364 9}").plainText(),
              QString::fromUtf8("€5 €15 €9"));
    // Negative values are the upper half of the 16-bit range; pairs make one character.
    EXPECT_EQ(parseRtf("{\\rtf1 \\u-3913?}").plainText(), QString(QChar(0xF0B7)));
    EXPECT_EQ(parseRtf("{\\rtf1 \\u-10179?\\u-8704?}").plainText(), QString::fromUtf8("😀"));
    // A stand-in is passed over only up to the end of its group.
    EXPECT_EQ(parseRtf("{\\rtf1 {\\uc3\\u233 x}yz}").plainText(), QString::fromUtf8("éyz"));
    EXPECT_EQ(parseRtf("{\\rtf1 \\emdash\\bullet\\lquote\\rdblquote}").plainText(),
              QString::fromUtf8("—•‘”"));
}

TEST(RtfReader, UnknownAndMetadataDestinationsAreSkipped) {
    const RtfDocument doc = parseRtf(
        "{\\rtf1{\\*\\generator Writer 1.0;}{\\info{\\title Secret}{\\author Me}}"
        "{\\stylesheet{\\s0 Normal;}}{\\*\\unknowndest {\\b hidden} text}"
        "{\\pict\\wmetafile8 0102\\bin4 {{{}}body "
        "{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link}} {\\newword shown}}");
    EXPECT_EQ(doc.plainText(), "body link shown");
}

TEST(RtfReader, NotRtfIsShownAsPlainText) {
    EXPECT_EQ(parseRtf("Meal 1\r\nLunch\r\n").plainText(), "Meal 1\nLunch\n");
    EXPECT_EQ(parseRtf(QByteArray("caf\xe9")).plainText(), QString::fromUtf8("café"));
    EXPECT_EQ(parseRtf(QByteArray("caf\xc3\xa9")).plainText(), QString::fromUtf8("café"));
    EXPECT_EQ(parseRtf("").plainText(), "");
    EXPECT_FALSE(isRtf("{\\rt"));
    EXPECT_TRUE(isRtf("\xEF\xBB\xBF \n{\\rtf1}"));
}

TEST(RtfReader, HostileInputsEndWithoutCrashing) {
    // Deep nesting, closed and unclosed: the text inside is kept.
    const QByteArray deep = "{\\rtf1 " + QByteArray(100000, '{') + "deep" + QByteArray(100000, '}');
    EXPECT_EQ(parseRtf(deep).plainText(), "deep");
    EXPECT_EQ(parseRtf("{\\rtf1 " + QByteArray(100000, '{') + "\\b x").plainText(), "x");
    // Binary data longer than the file, a huge size, and parameters past 32 bits.
    EXPECT_EQ(parseRtf("{\\rtf1 before\\bin999999999 after}").plainText(), "before");
    EXPECT_EQ(parseRtf("{\\rtf1 a\\bin-5 b}").plainText(), "ab");
    const RtfDocument big = parseRtf("{\\rtf1\\fs99999999999999999999 x\\f123456789012 y}");
    EXPECT_EQ(big.plainText(), "xy");
    EXPECT_GT(big.paragraphs[0].runs[0].format.pointSize, 0);
    // Out-of-range and malformed characters.
    EXPECT_EQ(parseRtf("{\\rtf1 \\u-32768?}").plainText(), QString(QChar(0x8000)));
    EXPECT_EQ(parseRtf("{\\rtf1 \\u99999?}").plainText(), QString(QChar::ReplacementCharacter));
    EXPECT_EQ(parseRtf("{\\rtf1 \\u-10179?x}").plainText(),
              QString(QChar::ReplacementCharacter) + "x");
    EXPECT_EQ(parseRtf("{\\rtf1 \\'zz \\'4}").plainText(), "zz 4");
    EXPECT_EQ(parseRtf("{\\rtf1 \\u0?a\\'00b}").plainText(), "ab");
    EXPECT_EQ(parseRtf("{\\rtf1 x}}}}} trailing").plainText(), "x");

    // Every prefix of a document ends cleanly, with a prefix of its text (where the cut
    // shortens a \\u number, its last character is another one).
    const QByteArray sample =
        "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red1\\green2\\blue3;}"
        "{\\*\\x y}\\f0\\fs20\\cf1{\\b Bold}\\par caf\\'e9 \\u8364?\\bin2 ab end}";
    for (qsizetype n = 5; n <= sample.size(); ++n) {  // shorter ones are not RTF
        const QString text = parseRtf(sample.left(n)).plainText();
        const QString full = QString::fromUtf8("Bold\ncafé € end");
        EXPECT_TRUE(full.startsWith(text) || full.startsWith(text.chopped(1)))
            << "prefix " << n << ": " << text.toStdString();
    }

    // Random bytes, as RTF and as plain text (fixed seed: the same bytes every run).
    QRandomGenerator random(20240611);
    for (int round = 0; round < 200; ++round) {
        QByteArray noise(1 + random.bounded(2000), '\0');
        for (char& c : noise) c = static_cast<char>(random.bounded(256));
        const RtfDocument asText = parseRtf(noise);
        EXPECT_FALSE(asText.paragraphs.empty());
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
    const RtfDocument rtf = parseRtf(
        "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\qc\\f0\\fs28\\b Heading\\b0\\par\\pard\\fs20 Plain "
        "{\\i slanted}}");
    QTextDocument doc;
    doc.setPlainText("old text");
    fillTextDocument(rtf, doc);
    ASSERT_EQ(doc.blockCount(), 2);
    const QTextBlock heading = doc.firstBlock();
    EXPECT_EQ(heading.text(), "Heading");
    EXPECT_EQ(heading.blockFormat().alignment(), Qt::AlignHCenter);
    const QTextCharFormat hf = heading.begin().fragment().charFormat();
    EXPECT_EQ(hf.fontWeight(), QFont::Bold);
    EXPECT_EQ(hf.fontPointSize(), 14);
    EXPECT_EQ(hf.fontFamilies().toStringList(), QStringList{"Arial"});

    const QTextBlock body = heading.next();
    EXPECT_EQ(body.text(), "Plain slanted");
    QStringList italics;
    for (auto it = body.begin(); !it.atEnd(); ++it) {
        if (it.fragment().charFormat().fontItalic()) italics << it.fragment().text();
    }
    EXPECT_EQ(italics, QStringList{"slanted"});
}

}  // namespace
}  // namespace pw
