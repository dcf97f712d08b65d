#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <ostream>

namespace pw::test {

// The ways a database file fails under a running program.
enum class Failure { DiskFull, ReadOnly, Locked };
const char* nameOf(Failure f);
// Test output names the failure ("GetParam() = ReadOnly"), not its bytes.
void PrintTo(Failure f, std::ostream* out);
// What the message about the failure says.
QString saysOf(Failure f);

// Every row of `table` that `where` selects, in the file's order, each as the sqlite3 shell lists
// it ("3|Breakfast|2002-03-04"), read through a plain connection.
QStringList tableRows(const QString& db, const QString& table, const QString& where = "1");

// Makes one database file fail, and recover:
// - a full disk: the file may not grow, and `fillSql` (an INSERT of a short row) has filled its
//   pages until not even that row fits;
// - read-only: permissions taken away, and the file made immutable (chattr +i) for root;
// - locked: another program (sqlite3) holds a write transaction on it.
class FileFailure {
public:
    FileFailure(QString path, QStringList tables, std::string fillSql);
    ~FileFailure();
    // False (with a reason) where the failure cannot be made here: root without chattr.
    static bool possible(Failure f, const QString& path, QString* why);
    // Every row of the tables, read from the file.
    QStringList rows() const;
    // Makes the file fail; returns every row as it then is.
    QStringList fail(Failure f);
    void recover();

private:
    QString m_path;
    QStringList m_tables;
    std::string m_fillSql;
    Failure m_failure = Failure::DiskFull;
    bool m_failed = false;
    QProcess m_locker;
};

}  // namespace pw::test
