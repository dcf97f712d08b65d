#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <vector>

namespace pw {

// Backups of the two database files. A backup is a folder that holds a copy of Custom.mdb and of
// MealDataB.mdb, each written through SQLite's online backup from a connection of its own and
// checked with integrity_check before it counts. The automatic ones live in the data folder's
// Backups/, one folder per copy, named by its date (2026-12-07) or, for the copy made before a
// restore, by its date and time (2026-12-07-153012045), so that names sort by age.
// Every failure throws RuntimeError with a text that names the file or folder; the data files
// themselves are only read.

// <dataFolder>/Backups
QString backupsFolder(const QString& dataFolder);

// Copies the database `source` into the new file `target` in one read transaction, so a write
// under way in another connection is wholly in the copy or not at all, then checks the copy.
// A copy that failed is removed.
void copyDatabase(const QString& source, const QString& target);

// Writes checked copies of both data files into `target`. A folder that does not exist yet is
// written whole beside it and renamed, so it holds both copies or is not there; into an existing
// folder (one the user chose) each file is written beside and renamed. An existing copy is
// never replaced: a folder that already holds either file is refused.
void writeBackup(const QString& dataFolder, const QString& target);

// The backups the keeping rule removes, by folder name: of the names that begin with a date, it
// keeps the 14 latest and the first one of each of the 12 months up to `today`'s. Names that do
// not begin with a date are never removed.
QStringList backupsToRemove(QStringList names, const QDate& today);

// The automatic backup: at most once a calendar day. Writes Backups/<today> unless a backup of
// `today` is there, and only after that copy is written and checked removes what the keeping rule
// says (and the remains of a copy cut short). Returns whether a copy was written.
bool dailyBackup(const QString& dataFolder, const QDate& today);

// What the restore window shows of a backup.
struct BackupInfo {
    QString folder;
    QString date;  // yyyy-MM-dd, from the folder's name or else the meal file's time
    int meals = 0;
    QString latestMeal;  // the latest meal date (yyyy-MM-dd); empty when there is none
};

// The figures of the backup in `folder`, read from its meal file; throws when that file cannot
// be read as ours.
BackupInfo describeBackup(const QString& folder);
// Every readable backup in Backups/, newest first.
std::vector<BackupInfo> listBackups(const QString& dataFolder);

// Both files of `folder` are a sound backup: SQLite files of ours with our tables that pass
// integrity_check. Throws RuntimeError naming the file otherwise.
void checkBackup(const QString& folder);

// Puts the backup in `backupFolder` in place of the data files of `dataFolder`: checks it, backs
// up the current files into Backups/<now>, writes both copies beside the data files and renames
// them over, marked by a file so that a restore cut short is finished by the next start
// (finishInterruptedRestore). The caller closes every connection to the data files first and
// opens them again afterwards. A refused or failed restore leaves the data files as they were.
void restoreBackup(const QString& backupFolder, const QString& dataFolder, const QDateTime& now);

// Before the data files are opened: a restore that reached its mark is completed; the copies of
// one that did not are removed. Either way both files are wholly old or wholly restored.
void finishInterruptedRestore(const QString& dataFolder);

}  // namespace pw
