// The RTF reader and the text file decoder on any bytes: they never fail, and what they answer
// is well formed text in the shape the viewers rely on.
#include <QByteArray>
#include <QString>
#include <QStringView>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "check.h"
#include "platform/RtfReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const pw::RtfDocument doc = pw::parseRtf(bytes);
    fuzzCheck(!doc.paragraphs.empty(), "a document has a paragraph");
    for (const pw::RtfParagraph& p : doc.paragraphs) {
        for (int twips : p.tabStops) fuzzCheck(twips > 0, "tab stops lie on the page");
        for (std::size_t i = 0; i < p.runs.size(); ++i) {
            const pw::RtfRun& run = p.runs[i];
            fuzzCheck(QStringView(run.text).isValidUtf16(), "run text is valid UTF-16");
            fuzzCheck(std::isfinite(run.format.pointSize) && run.format.pointSize >= 0,
                      "a size is a size");
            fuzzCheck(!run.format.rgb || *run.format.rgb <= 0xFFFFFFu, "a colour is RGB");
            if (i > 0) fuzzCheck(!(p.runs[i - 1].format == run.format), "adjacent runs differ");
        }
    }
    fuzzCheck(QStringView(doc.plainText()).isValidUtf16(), "plain text is valid UTF-16");

    const QString text = pw::decodeTextFile(bytes);
    fuzzCheck(!text.contains(u'\r') && !text.contains(QChar(char16_t(0))),
              "line ends are LF and no NUL is left");
    fuzzCheck(QStringView(text).isValidUtf16(), "decoded text is valid UTF-16");
    return 0;
}
