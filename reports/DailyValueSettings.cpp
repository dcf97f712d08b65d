#include "reports/DailyValueSettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "data/NumberText.h"
#include "data/TextFiles.h"

namespace pw {

namespace {

const QString kSection = QStringLiteral("DailyValues");
const QString kLevelKey = QStringLiteral("CalorieLevel");
// No line of a file we write comes near this; a longer one is nonsense and is skipped unread.
constexpr qint64 kLongestLine = 1024;
constexpr int kProblemsNamed = 5;

// Reads one line of fewer than kLongestLine bytes; a longer line is passed over to its end and
// gives nullopt.
std::optional<QByteArray> nextLine(QFile& file) {
    QByteArray line = file.readLine(kLongestLine);
    if (line.endsWith('\n') || file.atEnd()) return line;
    while (!file.atEnd() && !file.readLine(kLongestLine).endsWith('\n')) {
    }
    return std::nullopt;
}

std::optional<int> calorieLevel(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty() || t.size() > 6) return std::nullopt;
    bool ok = false;
    const int level = t.toInt(&ok);
    if (!ok || level < DailyValueTargets::kLowestLevel || level > DailyValueTargets::kHighestLevel)
        return std::nullopt;
    return level;
}

// Applies one "name=value" line of the Daily Values section; false when it is not understood.
bool applySetting(DailyValueTargets& targets, const QString& name, const QString& value) {
    if (name.compare(kLevelKey, Qt::CaseInsensitive) == 0) {
        const std::optional<int> level = calorieLevel(value);
        if (level) targets.calorieLevel = *level;
        return level.has_value();
    }
    for (const DailyValueEntry& e : dailyValueTable()) {
        if (name.compare(QLatin1String(e.key), Qt::CaseInsensitive) != 0) continue;
        if (value.trimmed().isEmpty()) {  // written by hand as "not set"
            targets.own[std::size_t(e.slot)].reset();
            return true;
        }
        const std::optional<double> own = parseOwnDailyValue(value);
        if (own) targets.own[std::size_t(e.slot)] = *own;
        return own.has_value();
    }
    return false;
}

}  // namespace

QString dailyValueSettingsPath(const QString& dataFolder) {
    return QDir::cleanPath(dataFolder) + QLatin1Char('/') + QLatin1String(kDailyValueSettingsFile);
}

DailyValueSettingsRead readDailyValueSettings(const QString& path) {
    DailyValueSettingsRead read;
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink()) return read;
    QFile file(path);
    if (info.isDir() || !file.open(QIODevice::ReadOnly)) {
        read.problems << QStringLiteral("the file cannot be opened");
        return read;
    }
    bool inSection = false;
    for (int number = 1; !file.atEnd(); ++number) {
        const std::optional<QByteArray> bytes = nextLine(file);
        if (!bytes) {
            read.problems << QStringLiteral("line %1 is too long").arg(number);
            continue;
        }
        const QString line = QString::fromUtf8(*bytes).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')) ||
            line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            inSection = line.mid(1, line.size() - 2).trimmed() == kSection;
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        // Other sections are left to whoever wrote them.
        if (equals > 0 && !inSection) continue;
        if (equals <= 0 ||
            !applySetting(read.targets, line.left(equals).trimmed(), line.mid(equals + 1)))
            read.problems << QStringLiteral("line %1").arg(number);
    }
    if (file.error() != QFileDevice::NoError)
        read.problems << QStringLiteral("the file cannot be read to its end");
    return read;
}

QByteArray dailyValueSettingsBytes(const DailyValueTargets& targets) {
    QString text = QStringLiteral(
                       "; Your Daily Values. A nutrient not named here has its standard value.\n"
                       "[") +
                   kSection + QStringLiteral("]\n") + kLevelKey + QLatin1Char('=') +
                   plainInt(targets.calorieLevel) + QLatin1Char('\n');
    for (const DailyValueEntry& e : dailyValueTable())
        if (const std::optional<double>& own = targets.own[std::size_t(e.slot)])
            text +=
                QLatin1String(e.key) + QLatin1Char('=') + shortestText(*own) + QLatin1Char('\n');
    return text.toUtf8();
}

void saveDailyValueSettings(const QString& path, const DailyValueTargets& targets) {
    saveFileBytes(path, dailyValueSettingsBytes(targets));
}

QString dailyValueSettingsMessage(const QString& path, const QStringList& problems) {
    QStringList named = problems.mid(0, kProblemsNamed);
    if (problems.size() > kProblemsNamed)
        named << QStringLiteral("%1 more").arg(problems.size() - kProblemsNamed);
    return QStringLiteral("Your Daily Values in ") + QDir::toNativeSeparators(path) +
           QStringLiteral(" could not all be read (") + named.join(QStringLiteral(", ")) +
           QStringLiteral(
               ").\nThe standard values are used for what could not be read. "
               "The file is left as it is until you save Your Daily Values.");
}

}  // namespace pw
