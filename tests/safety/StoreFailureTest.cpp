// A full disk, a file made read-only and a file locked by another program, while the window
// runs: each change is refused with a message that names the problem, the program goes on, and
// every earlier row stays as it was.
#include <SQLiteCpp/Exception.h>
#include <unistd.h>

#include <QFile>
#include <QProcess>

#include "meals/frmPortion.h"
#include "tests/meals/Meals.h"

namespace pw::test {
namespace {

enum class Failure { DiskFull, ReadOnly, Locked };

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
// Test output names the failure ("GetParam() = ReadOnly"), not its bytes.
void PrintTo(Failure f, std::ostream* out) { *out << nameOf(f); }

class StoreFailures : public MealsTest, public ::testing::WithParamInterface<Failure> {
protected:
    void SetUp() override {
        // Root writes to any file whatever its permissions; only an immutable one stops it,
        // and not every file system has that.
        if (GetParam() == Failure::ReadOnly && geteuid() == 0) {
            if (QProcess::execute("chattr", {"+i", db()}) != 0) GTEST_SKIP() << "no chattr here";
            QProcess::execute("chattr", {"-i", db()});
        }
        addMeal(db(), 3, QStringLiteral("Breakfast"), kDate, false);
        for (const char* food : {"Apple, raw", "Milk, whole"})
            addMealItem(db(), 3, QStringLiteral("Breakfast"), kDate, QLatin1String(food), 100,
                        {{"ENERG_KCAL", 52}});
        openWindow();
    }
    // Every row of both tables, read from the file.
    QStringList rows() const {
        SQLite::Database file(db().toStdString(), SQLite::OPEN_READONLY);
        QStringList out;
        for (const char* table : {"MealNumbers", "Meals"}) {
            SQLite::Statement st(file, std::string("SELECT * FROM ") + table + " ORDER BY rowid");
            while (st.executeStep()) {
                QStringList row;
                for (int i = 0; i < st.getColumnCount(); ++i)
                    row << QString::fromStdString(st.getColumn(i).getString());
                out << row.join(u'|');
            }
        }
        return out;
    }
    // Makes the file fail as the test's parameter says; returns every row as it then is.
    QStringList fail() {
        if (GetParam() == Failure::DiskFull) {
            fillDisk();
            return rows();
        }
        const QStringList before = rows();
        switch (GetParam()) {
            case Failure::DiskFull:
                break;
            case Failure::ReadOnly:
                QFile::setPermissions(db(), QFile::ReadOwner | QFile::ReadGroup);
                // Permissions do not bind root; an immutable file does.
                if (geteuid() == 0) {
                    EXPECT_EQ(QProcess::execute("chattr", {"+i", db()}), 0);
                }
                break;
            case Failure::Locked: {
                connection(db())->setBusyTimeout(0);  // no wait for the lock to go
                // Another program is writing to the file: it may still be read, not written.
                m_locker.start("sqlite3", {db()});
                m_locker.write("BEGIN IMMEDIATE;\nSELECT 'locked';\n");
                while (!m_locker.readAllStandardOutput().contains("locked"))
                    if (!m_locker.waitForReadyRead(10000)) {
                        ADD_FAILURE() << "sqlite3 did not take the lock";
                        break;
                    }
                break;
            }
        }
        return before;
    }
    void recover() {
        if (geteuid() == 0 && GetParam() == Failure::ReadOnly)
            QProcess::execute("chattr", {"-i", db()});
        QFile::setPermissions(db(), QFile::ReadOwner | QFile::WriteOwner);
        if (m_locker.state() != QProcess::NotRunning) {
            m_locker.write("ROLLBACK;\n.quit\n");
            m_locker.closeWriteChannel();
            m_locker.waitForFinished();
        }
        connection(db())->exec("PRAGMA max_page_count = 1073741823");
    }
    // The file may not grow, and its pages are filled until not even a short row of meal 3 fits.
    void fillDisk() {
        auto file = connection(db());
        file->exec("PRAGMA max_page_count = " +
                   std::to_string(file->execAndGet("PRAGMA page_count").getInt()));
        SQLite::Statement add(*file,
                              "INSERT INTO Meals (description, MealNumber, MealName, Date) "
                              "VALUES ('x', 3, 'Breakfast', '2002-03-04')");
        for (;;) {
            try {
                add.exec();
                add.reset();
            } catch (const SQLite::Exception&) {
                break;
            }
        }
    }
    QString says() const {
        switch (GetParam()) {
            case Failure::DiskFull:
                return QStringLiteral("the disk is full");
            case Failure::ReadOnly:
                return QStringLiteral("read-only");
            case Failure::Locked:
                return QStringLiteral("in use by another program");
        }
        return {};
    }

    QProcess m_locker;
};

TEST_P(StoreFailures, EachChangeIsRefusedWithAClearMessageAndNothingIsLost) {
    // Listed and printed by the failure's name, not as "4-byte object <00-00 00-00>".
    EXPECT_EQ(::testing::PrintToString(GetParam()), nameOf(GetParam()));
    EXPECT_TRUE(QString::fromLatin1(::testing::UnitTest::GetInstance()->current_test_info()->name())
                    .endsWith(QLatin1String(nameOf(GetParam()))));
    const auto refused = [&](QStringView what, const std::function<void()>& act) {
        SCOPED_TRACE(what.toString().toStdString());
        const QStringList before = fail();
        const size_t shown = platform.messages().size();
        act();
        recover();
        EXPECT_EQ(rows(), before);
        ASSERT_GT(platform.messages().size(), shown);
        EXPECT_TRUE(platform.messages().back().text.contains(db()))
            << platform.messages().back().text.toStdString();
        platform.verifyDone();
    };
    refused(u"a meal", [&] {
        expectDialog([&](QDialog& d) {
            type(d, "Text2", QStringLiteral("Sunday supper at home"));
            type(d, "Text3", QStringLiteral("3/6/02"));
            platform.expectMsg(MsgResult::OK, says());
            click(d, "cmdOK");
            EXPECT_TRUE(d.isVisible());
            click(d, "cmdCancel");
        });
        press(form->cmdAddMeal);
    });
    refused(u"an item", [&] {
        press(form->cmdAddItem);
        platform.expectMsg(MsgResult::OK, says());
        pickFood(QStringLiteral("Bread, whole-wheat"), true);
        press(form->cmdCancel);
        EXPECT_FALSE(picking());
    });
    if (GetParam() != Failure::DiskFull) {  // a rescaled row may fit where it is; removing
                                            // needs no room at all
        refused(u"a portion", [&] {
            expectDialog([&](QDialog& d) {
                QTest::keyClicks(static_cast<frmPortion&>(d).TextOp1, "150");
                platform.expectMsg(MsgResult::OK, says());
                click(d, "cmdSubmit");
            });
            press(form->cmdPortionAdjust);
            EXPECT_EQ(form->txtFieldB.text(2), QStringLiteral("52"));
        });
        refused(u"a removal", [&] {
            platform.expectMsg(MsgResult::Yes);
            platform.expectMsg(MsgResult::OK, says());
            press(form->cmdRemove);
        });
    }
    // Once the file can be written again, the same change is stored.
    press(form->cmdAddItem);
    pickFood(QStringLiteral("Bread, whole-wheat"), true);
    EXPECT_EQ(stored(3, {"description"}).last(), QStringLiteral("Bread, whole-wheat"));
}

INSTANTIATE_TEST_SUITE_P(, StoreFailures,
                         ::testing::Values(Failure::DiskFull, Failure::ReadOnly, Failure::Locked),
                         [](const ::testing::TestParamInfo<Failure>& info) {
                             return std::string(nameOf(info.param));
                         });

}  // namespace
}  // namespace pw::test
