#include "app/FolderLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <cerrno>

namespace pw {

namespace {

// What Qt's lock files hold: process id, program, host, machine and boot.
QByteArray holderText() {
    return QByteArray::number(QCoreApplication::applicationPid()) + '\n' +
           QFileInfo(QCoreApplication::applicationFilePath()).fileName().toUtf8() + '\n' +
           QSysInfo::machineHostName().toUtf8() + '\n' + QSysInfo::machineUniqueId() + '\n' +
           QSysInfo::bootUniqueId() + '\n';
}

bool sameFile(int fd, const QByteArray& path) {
    struct stat held {
    }, named{};
    return ::fstat(fd, &held) == 0 && ::stat(path.constData(), &named) == 0 &&
           held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

}  // namespace

FolderLock::FolderLock(QString path) : m_path(std::move(path)) {}

FolderLock::~FolderLock() {
    if (m_fd < 0) return;
    // Removed while still locked: whoever opens the path from now on gets a new file.
    ::unlink(QFile::encodeName(m_path).constData());
    ::close(m_fd);
}

FolderLock::Error FolderLock::tryLock() {
    if (m_fd >= 0) return Error::None;
    const QByteArray path = QFile::encodeName(m_path);
    // A holder that ends removes the file: one opened just before that is locked by nobody else
    // and no longer at the path, and is given up for the one that is.
    for (int attempt = 0; attempt < 5; ++attempt) {
        const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd < 0)
            return (errno == EACCES || errno == EPERM || errno == EROFS) ? Error::CannotWrite
                                                                         : Error::Other;
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            ::close(fd);
            return error == EWOULDBLOCK ? Error::HeldElsewhere : Error::Other;
        }
        if (!sameFile(fd, path)) {
            ::close(fd);
            continue;
        }
        // For people who look into the folder; the lock holds without it (a full disk).
        const QByteArray text = holderText();
        if (::ftruncate(fd, 0) == 0)
            (void)!::pwrite(fd, text.constData(), std::size_t(text.size()), 0);
        m_fd = fd;
        return Error::None;
    }
    return Error::Other;
}

}  // namespace pw
