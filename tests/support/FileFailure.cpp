#include "tests/support/FileFailure.h"

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Exception.h>
#include <SQLiteCpp/Statement.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <QFile>

#include "data/Database.h"

namespace pw::test {

const char* nameOf(Failure f) {
    switch (f) {
        case Failure::DiskFull:
            return "DiskFull";
        case Failure::ReadOnly:
            return "ReadOnly";
        case Failure::Locked:
            return "Locked";
    }
    return "Unknown";
}

void PrintTo(Failure f, std::ostream* out) { *out << nameOf(f); }

QString saysOf(Failure f) {
    switch (f) {
        case Failure::DiskFull:
            return QStringLiteral("the disk is full");
        case Failure::ReadOnly:
            return QStringLiteral("read-only");
        case Failure::Locked:
            return QStringLiteral("in use by another program");
    }
    return {};
}

FileFailure::FileFailure(QString path, QStringList tables, std::string fillSql)
    : m_path(std::move(path)), m_tables(std::move(tables)), m_fillSql(std::move(fillSql)) {}

FileFailure::~FileFailure() { recover(); }

bool FileFailure::possible(Failure f, const QString& path, QString* why) {
    // Root writes to any file whatever its permissions; only an immutable one stops it, and not
    // every file system has that.
    if (f != Failure::ReadOnly || geteuid() != 0) return true;
    if (QProcess::execute("chattr", {"+i", path}) != 0) {
        *why = QStringLiteral("no chattr here");
        return false;
    }
    QProcess::execute("chattr", {"-i", path});
    return true;
}

QStringList tableRows(const QString& db, const QString& table, const QString& where) {
    SQLite::Database file(db.toStdString(), SQLite::OPEN_READONLY);
    SQLite::Statement st(
        file,
        QStringLiteral("SELECT * FROM %1 WHERE %2 ORDER BY rowid").arg(table, where).toStdString());
    QStringList out;
    while (st.executeStep()) {
        QStringList row;
        for (int i = 0; i < st.getColumnCount(); ++i)
            row << QString::fromStdString(st.getColumn(i).getString());
        out << row.join(u'|');
    }
    return out;
}

QStringList FileFailure::rows() const {
    QStringList out;
    for (const QString& table : m_tables) out << tableRows(m_path, table);
    return out;
}

QStringList FileFailure::fail(Failure f) {
    m_failure = f;
    m_failed = true;
    if (f == Failure::DiskFull) {
        auto file = connection(m_path);
        file->exec("PRAGMA max_page_count = " +
                   std::to_string(file->execAndGet("PRAGMA page_count").getInt()));
        SQLite::Statement add(*file, m_fillSql);
        for (;;) {
            try {
                add.exec();
                add.reset();
            } catch (const SQLite::Exception&) {
                break;
            }
        }
        return rows();
    }
    const QStringList before = rows();
    if (f == Failure::ReadOnly) {
        QFile::setPermissions(m_path, QFile::ReadOwner | QFile::ReadGroup);
        // Permissions do not bind root; an immutable file does.
        if (geteuid() == 0) {
            EXPECT_EQ(QProcess::execute("chattr", {"+i", m_path}), 0);
        }
    } else {
        connection(m_path)->setBusyTimeout(0);  // no wait for the lock to go
        // Another program is writing to the file: it may still be read, not written.
        m_locker.start("sqlite3", {m_path});
        m_locker.write("BEGIN IMMEDIATE;\nSELECT 'locked';\n");
        while (!m_locker.readAllStandardOutput().contains("locked"))
            if (!m_locker.waitForReadyRead(10000)) {
                ADD_FAILURE() << "sqlite3 did not take the lock";
                break;
            }
    }
    return before;
}

void FileFailure::recover() {
    if (!m_failed) return;
    m_failed = false;
    if (geteuid() == 0 && m_failure == Failure::ReadOnly)
        QProcess::execute("chattr", {"-i", m_path});
    QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner);
    if (m_locker.state() != QProcess::NotRunning) {
        m_locker.write("ROLLBACK;\n.quit\n");
        m_locker.closeWriteChannel();
        m_locker.waitForFinished();
    }
    if (m_failure == Failure::DiskFull)
        connection(m_path)->exec("PRAGMA max_page_count = 1073741823");
}

}  // namespace pw::test
