#include "data/Backup.h"

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Exception.h>
#include <SQLiteCpp/Statement.h>
#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <chrono>
#include <mutex>
#include <thread>

#include "data/Database.h"
#include "data/NumberText.h"
#include "data/RuntimeError.h"

namespace pw {

namespace {

constexpr int kKeptDays = 14;
constexpr int kKeptMonths = 12;
constexpr int kBusyTimeoutMs = 3000;
const QString kPartial = QStringLiteral(".partial");
const QString kRestoring = QStringLiteral(".restoring");
const QString kRestoreMark = QStringLiteral("Restore.pending");

// One backup or restore at a time per program: the start-up backup runs in a thread of its own.
std::mutex& backupLock() {
    static std::mutex lock;
    return lock;
}

QString shown(const QString& path) { return QDir::toNativeSeparators(path); }

[[noreturn]] void failure(int number, const QString& path, const QString& what) {
    throw RuntimeError(number, QStringLiteral("%1: %2").arg(shown(path), what));
}

QString inFolder(const QString& folder, const QString& name) { return folder + u'/' + name; }

// A rename or removal is durable only once its folder is written to disk.
void syncFolder(const QString& folder) {
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

void renameOver(const QString& from, const QString& to) {
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
        failure(err::PathFileAccess, to, QStringLiteral("the file could not be put in place."));
}

void removeFolder(const QString& folder) { QDir(folder).removeRecursively(); }

// The date a backup folder's name begins with; invalid when it begins with none.
QDate nameDate(const QString& name) {
    // YYYY-MM-DD, or YYYY-MM-DD-N for a second copy of the same day.
    const auto digitsAt = [&](qsizetype at, qsizetype n) {
        return at + n <= name.size() && digitRun(name, at) >= n;
    };
    if (!(digitsAt(0, 4) && name.size() >= 10 && name[4] == u'-' && digitsAt(5, 2) &&
          name[7] == u'-' && digitsAt(8, 2)))
        return QDate();
    if (name.size() > 10 &&
        !(name[10] == u'-' && name.size() > 11 && 11 + digitRun(name, 11) == name.size()))
        return QDate();
    return QDate::fromString(name.left(10), Qt::ISODate);
}

int monthsBefore(const QDate& date, const QDate& today) {
    return (today.year() - date.year()) * 12 + today.month() - date.month();
}

void copyPages(sqlite3* from, sqlite3* to, const QString& target) {
    sqlite3_backup* backup = sqlite3_backup_init(to, "main", from, "main");
    if (!backup) throw SQLite::Exception(to, sqlite3_errcode(to));
    // All pages in one step: one read transaction on the source, so the copy is one snapshot.
    // A writer holding the file makes it wait a little, as any reader does.
    int rc = SQLITE_OK;
    for (int tries = 0; tries < 100; ++tries) {
        rc = sqlite3_backup_step(backup, -1);
        if (rc != SQLITE_BUSY && rc != SQLITE_LOCKED) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
    }
    sqlite3_backup_finish(backup);
    if (rc != SQLITE_DONE) {
        if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED)
            failure(err::FileLocked, target,
                    QStringLiteral("the data files stayed in use; no copy was made."));
        throw SQLite::Exception(to, rc);
    }
}

// Removes what a copy cut short left in `folder`: hidden folders and files being written.
void removeRemains(const QString& folder) {
    const QDir dir(folder);
    for (const QFileInfo& info :
         dir.entryInfoList(QDir::Dirs | QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot)) {
        if (!info.fileName().endsWith(kPartial)) continue;
        if (info.isDir())
            removeFolder(info.absoluteFilePath());
        else
            QFile::remove(info.absoluteFilePath());
    }
}

void writeBackupLocked(const QString& dataFolder, const QString& target) {
    const QFileInfo targetInfo(target);
    if (!targetInfo.exists()) {
        // Written whole beside the final name, then renamed: the folder is complete or absent.
        const QString parent = targetInfo.absolutePath();
        const QString partial = inFolder(parent, u'.' + targetInfo.fileName() + kPartial);
        removeFolder(partial);
        if (!QDir().mkpath(partial))
            failure(err::PathFileAccess, parent, QStringLiteral("the folder cannot be written."));
        try {
            for (const QString& name : {kFoodFile, kMealFile})
                copyDatabase(inFolder(dataFolder, name), inFolder(partial, name));
            syncFolder(partial);
            renameOver(partial, target);
            syncFolder(parent);
        } catch (...) {
            removeFolder(partial);
            throw;
        }
        return;
    }
    for (const QString& name : {kFoodFile, kMealFile})
        if (QFileInfo::exists(inFolder(target, name)))
            failure(err::PathFileAccess, target,
                    QStringLiteral("the folder already holds a backup (%1); choose another folder.")
                        .arg(name));
    for (const QString& name : {kFoodFile, kMealFile}) {
        const QString partial = inFolder(target, name + kPartial);
        copyDatabase(inFolder(dataFolder, name), partial);
        renameOver(partial, inFolder(target, name));
    }
    syncFolder(target);
}

}  // namespace

QString backupsFolder(const QString& dataFolder) {
    return inFolder(dataFolder, QStringLiteral("Backups"));
}

void copyDatabase(const QString& source, const QString& target) {
    QFile::remove(target);
    try {
        SQLite::Database from(source.toStdString(), SQLite::OPEN_READONLY, kBusyTimeoutMs);
        {
            SQLite::Database to(target.toStdString(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE,
                                kBusyTimeoutMs);
            to.exec("PRAGMA synchronous = FULL");
            copyPages(from.getHandle(), to.getHandle(), target);
            const std::string check = to.execAndGet("PRAGMA integrity_check").getString();
            if (check != "ok")
                failure(err::PathFileAccess, target,
                        QStringLiteral("the copy does not read back whole (%1).")
                            .arg(QString::fromStdString(check)));
        }
    } catch (const SQLite::Exception& e) {
        QFile::remove(target);
        throw storeError(e, target);
    } catch (...) {
        QFile::remove(target);
        throw;
    }
}

void writeBackup(const QString& dataFolder, const QString& target) {
    const std::lock_guard<std::mutex> one(backupLock());
    writeBackupLocked(dataFolder, target);
}

QStringList backupsToRemove(QStringList names, const QDate& today) {
    names.erase(std::remove_if(names.begin(), names.end(),
                               [](const QString& n) { return !nameDate(n).isValid(); }),
                names.end());
    std::sort(names.begin(), names.end());
    QStringList kept = names.mid(std::max<qsizetype>(0, names.size() - kKeptDays));
    int lastMonth = -1;
    for (const QString& name : names) {
        const int months = monthsBefore(nameDate(name), today);
        if (months < 0 || months >= kKeptMonths || months == lastMonth) continue;
        lastMonth = months;  // names are sorted: the first one of its month
        kept << name;
    }
    QStringList removed;
    for (const QString& name : names)
        if (!kept.contains(name)) removed << name;
    return removed;
}

bool dailyBackup(const QString& dataFolder, const QDate& today) {
    const std::lock_guard<std::mutex> one(backupLock());
    const QString folder = backupsFolder(dataFolder);
    if (!QDir().mkpath(folder))
        failure(err::PathFileAccess, folder, QStringLiteral("the folder cannot be made."));
    removeRemains(folder);
    const QString day = today.toString(Qt::ISODate);
    const QStringList names = QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& name : names)
        if (nameDate(name) == today) return false;
    writeBackupLocked(dataFolder, inFolder(folder, day));
    for (const QString& name : backupsToRemove(names + QStringList{day}, today))
        removeFolder(inFolder(folder, name));
    syncFolder(folder);
    return true;
}

BackupInfo describeBackup(const QString& folder) {
    const QString mealFile = inFolder(folder, kMealFile);
    BackupInfo info;
    info.folder = folder;
    const QDate named = nameDate(QFileInfo(folder).fileName());
    info.date =
        (named.isValid() ? named : QFileInfo(mealFile).lastModified().date()).toString(Qt::ISODate);
    try {
        SQLite::Database db(mealFile.toStdString(), SQLite::OPEN_READONLY, kBusyTimeoutMs);
        SQLite::Statement st(db, "SELECT count(*), max(MealDate) FROM MealNumbers");
        st.executeStep();
        info.meals = st.getColumn(0).getInt();
        info.latestMeal = QString::fromStdString(st.getColumn(1).getString());
    } catch (const SQLite::Exception& e) {
        throw storeError(e, mealFile);
    }
    return info;
}

std::vector<BackupInfo> listBackups(const QString& dataFolder) {
    std::vector<BackupInfo> list;
    const QDir dir(backupsFolder(dataFolder));
    for (const QString& name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        try {
            list.push_back(describeBackup(dir.filePath(name)));
        } catch (const RuntimeError&) {
            // Not a backup: not listed (a restore from it would be refused anyway).
        }
    }
    std::reverse(list.begin(), list.end());
    return list;
}

void checkBackup(const QString& folder) {
    checkCopyOfDatabase(inFolder(folder, kFoodFile), DbKind::Food);
    checkCopyOfDatabase(inFolder(folder, kMealFile), DbKind::Meal);
}

void restoreBackup(const QString& backupFolder, const QString& dataFolder, const QDateTime& now) {
    checkBackup(backupFolder);
    const std::lock_guard<std::mutex> one(backupLock());
    const QString folder = backupsFolder(dataFolder);
    if (!QDir().mkpath(folder))
        failure(err::PathFileAccess, folder, QStringLiteral("the folder cannot be made."));
    writeBackupLocked(dataFolder,
                      inFolder(folder, now.toString(QStringLiteral("yyyy-MM-dd-HHmmsszzz"))));
    const QStringList names{kFoodFile, kMealFile};
    try {
        for (const QString& name : names)
            copyDatabase(inFolder(backupFolder, name), inFolder(dataFolder, name + kRestoring));
        syncFolder(dataFolder);
    } catch (...) {
        for (const QString& name : names) QFile::remove(inFolder(dataFolder, name + kRestoring));
        throw;
    }
    // From the mark on, the restore is finished even if the program stops half-way.
    QSaveFile mark(inFolder(dataFolder, kRestoreMark));
    if (!mark.open(QIODevice::WriteOnly) || mark.write("restore\n") < 0 || !mark.commit()) {
        for (const QString& name : names) QFile::remove(inFolder(dataFolder, name + kRestoring));
        failure(err::PathFileAccess, dataFolder, QStringLiteral("the folder cannot be written."));
    }
    syncFolder(dataFolder);
    finishInterruptedRestore(dataFolder);
}

void finishInterruptedRestore(const QString& dataFolder) {
    const QString mark = inFolder(dataFolder, kRestoreMark);
    const bool marked = QFileInfo::exists(mark);
    bool changed = false;  // the folder is synced only when something in it was
    for (const QString& name : {kFoodFile, kMealFile}) {
        const QString copy = inFolder(dataFolder, name + kRestoring);
        if (!QFileInfo::exists(copy)) continue;
        if (marked)
            renameOver(copy, inFolder(dataFolder, name));
        else
            QFile::remove(copy);
        changed = true;
    }
    for (const QString& name : {kFoodFile, kMealFile})
        changed |=
            QFile::remove(inFolder(dataFolder, name + kRestoring + QStringLiteral("-journal")));
    if (changed) syncFolder(dataFolder);
    if (marked) {
        QFile::remove(mark);
        syncFolder(dataFolder);
    }
}

}  // namespace pw
