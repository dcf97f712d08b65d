#pragma once

#include <QString>
#include <memory>
#include <optional>

#include "app/FolderLock.h"
#include "data/Database.h"

namespace pw {

class Platform;

// What decides where the program's files are.
struct FolderInputs {
    QString programDir;   // the folder that holds the executable
    QString dataDirArg;   // --data-dir, empty when not given
    QString userDataDir;  // the user's data folder (QStandardPaths::AppDataLocation)
};

// Where the program's files are.
struct ProgramFolders {
    QString dataDir;      // Custom.mdb, MealDataB.mdb and the lock file
    QString documentDir;  // Help.rtf and DV.rtf
    QString templateDir;  // fresh copies of the two database files for a new data folder;
                          // empty when none was found
};

// The installed files of a program whose executable is in `programDir`: <prefix>/share/platewise
// beside <prefix>/bin.
QString installedShareDir(const QString& programDir);

// Chooses the folders; leaves every file as it was. --data-dir wins; next the program's own folder
// when it holds both database files and can be written (a program run from its build folder);
// otherwise the user's data folder. Documents and templates come from the install, or from the
// program's own folder when nothing is installed beside it.
ProgramFolders chooseFolders(const FolderInputs& in);

// Whether a file can be made in `dir`, tried by making one (permission bits say nothing about a
// read-only file system, nor about root).
bool folderIsWritable(const QString& dir);

// The message for a lock file in `dir` that could not be taken.
QString lockFailureText(FolderLock::Error error, const QString& dir);

// Makes the data folder ready and takes its lock: creates the folder, checks that it can be
// written, locks it against a second Platewise and copies in each database file it lacks from the
// templates, never replacing a file. On failure shows one message naming the folder and returns
// nullopt. The lock is held as long as `lock` lives.
std::optional<ProgramFolders> openDataFolder(Platform& platform, const FolderInputs& in,
                                             std::unique_ptr<FolderLock>& lock);

}  // namespace pw
