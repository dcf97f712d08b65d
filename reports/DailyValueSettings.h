#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "reports/DailyValues.h"

namespace pw {

// The user's Daily Values live in a small INI file beside the two database files, so that a copy
// of the data folder keeps them:
//
//   [DailyValues]
//   CalorieLevel=1800
//   Protein=60
//
// QSettings reads it as well. A missing file or a missing name means the standard value.

inline constexpr char kDailyValueSettingsFile[] = "Platewise.ini";

// The settings file of the data folder `dataFolder`.
QString dailyValueSettingsPath(const QString& dataFolder);

struct DailyValueSettingsRead {
    DailyValueTargets targets;  // the standard value for whatever could not be read
    // What could not be read ("line 3", "the file cannot be opened"); empty when all was well.
    QStringList problems;
};

// Reads the file at `path` line by line. Nothing in it can make the program fail: an unreadable
// file, a line that is not "name=value", an unknown name, a level outside 1000..5000, a value
// that is not a positive number, an endless line each leave the standard value in place of what
// is wrong and add a problem; what is right is kept. The file is never written here.
DailyValueSettingsRead readDailyValueSettings(const QString& path);

// The file's text for `targets`: the calorie level and the values set by hand.
QByteArray dailyValueSettingsBytes(const DailyValueTargets& targets);

// Writes the file through a safe save; a failure throws RuntimeError and leaves the old file.
void saveDailyValueSettings(const QString& path, const DailyValueTargets& targets);

// The one message for a file that could not be read in full: names the file and the problems.
QString dailyValueSettingsMessage(const QString& path, const QStringList& problems);

}  // namespace pw
