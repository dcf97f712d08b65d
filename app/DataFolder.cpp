#include "app/DataFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include "data/Backup.h"
#include "data/RuntimeError.h"
#include "platform/Platform.h"

namespace pw {

namespace {

bool holdsBoth(const QString& dir) {
    return QFileInfo::exists(dir + QChar('/') + kFoodFile) &&
           QFileInfo::exists(dir + QChar('/') + kMealFile);
}

QString shown(const QString& dir) { return QDir::toNativeSeparators(dir); }

}  // namespace

QString installedShareDir(const QString& programDir) {
    return QDir::cleanPath(programDir + QStringLiteral("/../share/platewise"));
}

ProgramFolders chooseFolders(const FolderInputs& in) {
    const QString programDir = QDir::cleanPath(in.programDir);
    ProgramFolders f;
    const QString share = installedShareDir(programDir);
    const bool installed = QFileInfo(share).isDir();
    f.documentDir = installed ? share : programDir;
    // A build keeps its fresh files in data-templates beside the program folder.
    const QString buildTemplates =
        QDir::cleanPath(programDir + QStringLiteral("/../data-templates"));
    for (const QString& dir : {share, buildTemplates}) {
        if (holdsBoth(dir)) {
            f.templateDir = dir;
            break;
        }
    }
    if (!in.dataDirArg.isEmpty())
        f.dataDir = QDir::cleanPath(QDir(in.dataDirArg).absolutePath());
    else if (holdsBoth(programDir) && folderIsWritable(programDir))
        f.dataDir = programDir;
    else
        f.dataDir = QDir::cleanPath(in.userDataDir);
    return f;
}

bool folderIsWritable(const QString& dir) {
    QTemporaryFile probe(dir + QStringLiteral("/.platewise-write-test-XXXXXX"));
    return probe.open();  // removed again when `probe` goes
}

QString lockFailureText(FolderLock::Error error, const QString& dir) {
    switch (error) {
        case FolderLock::Error::HeldElsewhere:
            return QStringLiteral("Platewise is already running with the files in ") + shown(dir) +
                   QStringLiteral(".  Only one Platewise can use them at a time.");
        case FolderLock::Error::CannotWrite:
            return QStringLiteral("The folder ") + shown(dir) +
                   QStringLiteral(
                       " cannot be written.  Platewise keeps your meals there and must "
                       "be able to change them.  Make the folder writable, or choose "
                       "another one with platewise --data-dir FOLDER.");
        case FolderLock::Error::None:
        case FolderLock::Error::Other:
            break;
    }
    return QStringLiteral("Platewise cannot make its lock file in the folder ") + shown(dir) +
           QStringLiteral(".");
}

std::optional<ProgramFolders> openDataFolder(Platform& platform, const FolderInputs& in,
                                             std::unique_ptr<FolderLock>& lock) {
    const ProgramFolders f = chooseFolders(in);
    auto fail = [&platform, &lock](const QString& text) {
        lock.reset();
        platform.message(text);
        return std::nullopt;
    };
    if (!QDir().mkpath(f.dataDir))
        return fail(QStringLiteral("The folder ") + shown(f.dataDir) +
                    QStringLiteral(" cannot be made.  Choose another one with platewise "
                                   "--data-dir FOLDER."));
    if (!folderIsWritable(f.dataDir))
        return fail(lockFailureText(FolderLock::Error::CannotWrite, f.dataDir));

    // Taken before the files are copied, so two first starts cannot copy over each other.
    lock = std::make_unique<FolderLock>(f.dataDir + QStringLiteral("/Platewise.lock"));
    if (const FolderLock::Error error = lock->tryLock(); error != FolderLock::Error::None)
        return fail(lockFailureText(error, f.dataDir));
    // A restore cut short is finished (or undone) before anything opens the files.
    try {
        finishInterruptedRestore(f.dataDir);
    } catch (const RuntimeError& e) {
        return fail(e.description());
    }

    for (const QString& name : {kFoodFile, kMealFile}) {
        const QString target = f.dataDir + QChar('/') + name;
        if (QFileInfo::exists(target)) continue;  // never replaced
        if (f.templateDir.isEmpty())
            return fail(QStringLiteral("The folder ") + shown(f.dataDir) +
                        QStringLiteral(" has no ") + name +
                        QStringLiteral(", and no fresh copy of it was found to start from.  "
                                       "Install Platewise again, or choose the folder that "
                                       "holds your files with platewise --data-dir FOLDER."));
        if (!QFile::copy(f.templateDir + QChar('/') + name, target))
            return fail(name + QStringLiteral(" could not be copied into the folder ") +
                        shown(f.dataDir) + QStringLiteral("."));
        // An installed template may be read-only; the user's copy must not be.
        QFile::setPermissions(target,
                              QFile::permissions(target) | QFile::ReadOwner | QFile::WriteOwner);
    }
    return f;
}

}  // namespace pw
