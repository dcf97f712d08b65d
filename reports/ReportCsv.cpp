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

}  // namespace pw
