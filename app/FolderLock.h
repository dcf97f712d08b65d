#pragma once

#include <QString>

namespace pw {

// The lock that keeps one Platewise per data folder: an exclusive lock (flock) on a lock file,
// held while the object lives; the file is removed when it goes. The system gives the lock back
// however the program ends, so a file left behind by a crash locks nothing. The file names its
// process (id, program, host) as Qt's lock files do, and Qt's lock files take the same lock: a
// Platewise using either kind sees the other. The lock lives in the system, not in the file's
// bytes, so nothing is synced to the disk for it.
class FolderLock {
public:
    enum class Error { None, HeldElsewhere, CannotWrite, Other };

    explicit FolderLock(QString path);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // Takes the lock at once, or says why not; never waits.
    Error tryLock();

private:
    QString m_path;
    int m_fd = -1;
};

}  // namespace pw
