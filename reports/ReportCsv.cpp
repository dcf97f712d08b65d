#include "reports/ReportCsv.h"

namespace pw {

namespace {

QString csvField(const QString& field) {
    const bool quoted = field.contains(QLatin1Char(',')) || field.contains(QLatin1Char('"')) ||
                        field.contains(QLatin1Char('\r')) || field.contains(QLatin1Char('\n'));
    if (!quoted) return field;
    QString inner = field;
    inner.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + inner + QLatin1Char('"');
}

}  // namespace

QByteArray csvBytes(const std::vector<QStringList>& rows) {
    QString text;
    for (const QStringList& row : rows) {
        for (qsizetype i = 0; i < row.size(); ++i) {
            if (i > 0) text += QLatin1Char(',');
            text += csvField(row[i]);
        }
        text += QStringLiteral("\r\n");
    }
    return text.toUtf8();
}

std::vector<CsvRecord> csvRecords(const QString& text) {
    std::vector<CsvRecord> records;
    CsvRecord record{1, {}};
    QString field;
    bool quoted = false;
    bool any = false;  // the record has begun
    int line = 1;
    const auto endRecord = [&] {
        record.fields << field;
        records.push_back(std::move(record));
        record = CsvRecord{line, {}};
        field.clear();
        any = false;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"') {
                field += c;
                ++i;
            } else if (c == u'"') {
                quoted = false;
            } else {
                if (c == u'\n') ++line;
                field += c;
            }
            continue;
        }
        if (c == u'"') {
            quoted = any = true;
        } else if (c == u',') {
            record.fields << field;
            field.clear();
            any = true;
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
            ++line;
            endRecord();
        } else {
            field += c;
            any = true;
        }
    }
    if (any) endRecord();
    return records;
}

}  // namespace pw
