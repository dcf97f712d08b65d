// Hostile entries through the windows: stored as typed where a box takes text, refused with a
// message where it takes a number or a date; never a crash or a changed table. And files too
// large for the text file reader.
#include <QClipboard>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QTemporaryDir>

#include "meals/frmPortion.h"
#include "tests/meals/Meals.h"
#include "viewers/frmRTF.h"

namespace pw::test {
namespace {

const QString kSql = QStringLiteral("x'); DROP TABLE Meals; --");
const QString kQuotes = QStringLiteral("O'Brien's \"best\" ''");
const QString kAccents = QStringLiteral("Crème brûlée — 日本 🍰");
const QString kNumbers[] = {QStringLiteral("1e400"), QStringLiteral("9223372036854775808"),
                            QStringLiteral("31/02/2024")};

using Hostile = MealsTest;

TEST_F(Hostile, MealNamesAreStoredAsTypedAndBadDatesAreRefused) {
    openWindow();
    const QString huge(10 * 1024 * 1024, u'a');
    int meal = 0;
    for (const QString& name : {kSql, kQuotes, kAccents, huge}) {
        showMealDialog([&](QDialog& d) {
            auto* box = static_cast<frmNewMeal&>(d).Text2;
            QGuiApplication::clipboard()->setText(name);
            box->setFocus();
            QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);  // paste
            for (const QString& date : {kNumbers[0], kNumbers[1], kNumbers[2], kSql}) {
                platform.expectMsg(MsgResult::OK, QStringLiteral("not been entered correctly"));
                type(d, "Text3", date);
                click(d, "cmdOK");
                ASSERT_TRUE(d.isVisible()) << date.toStdString();
            }
            type(d, "Text3", QStringLiteral("3/4/02"));
            click(d, "cmdOK");
        });
        ++meal;
        EXPECT_EQ(stored(meal, {"MealName"}), QStringList(name.left(20)));
    }
    EXPECT_EQ(numbers("MealNumbers"), QStringList({"1", "2", "3", "4"}));
}

TEST_F(Hostile, TheGramsBoxTakesOnlyANumberItCanHold) {
    addMealItem(db(), 1, QStringLiteral("Lunch"), kDate, QStringLiteral("O'Brien's potatoes"), 100);
    openWindow();
    frmPortion d(
        form->state(), form->cursors(), form->platform(),
        [this](const QString& d) { return form->findFood(d); }, form.get());
    d.show();
    for (const QString& refused : {kNumbers[0], kNumbers[2], kSql, kAccents}) {
        platform.expectMsg(MsgResult::OK);
        d.TextOp1->setText(refused);
        press(d.cmdSubmit);
        EXPECT_TRUE(d.isVisible()) << refused.toStdString();
    }
    EXPECT_EQ(stored(1, {"PortionSize"}), QStringList("100"));
}

TEST_F(Hostile, TheReaderRefusesAHugeFileAndShowsOneWithoutLineEnds) {
    openWindow();
    QTemporaryDir dir;
    const struct {
        const char* name;
        qint64 size;
        bool shown;
    } files[] = {{"huge.txt", 200LL * 1024 * 1024, false}, {"oneline.txt", 4 * 1024 * 1024, true}};
    for (const auto& f : files) {
        const QString path = dir.filePath(QLatin1String(f.name));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        if (f.shown)
            file.write(QByteArray(f.size, 'a'));
        else
            ASSERT_TRUE(file.resize(f.size));  // sparse: takes no room on the disk
        file.close();
        platform.expectOpenFile(path);
        if (!f.shown)
            platform.expectMsg(
                MsgResult::OK,
                QStringLiteral("File selected is too large for this program to handle"));
        form->mnuFileOpen_Click();
        auto* reader = form->findChild<frmRTF*>();
        ASSERT_NE(reader, nullptr);
        EXPECT_EQ(reader->text().size(), f.shown ? f.size : 0) << f.name;
        delete reader;
        QFile::remove(path);
    }
}

}  // namespace
}  // namespace pw::test
