#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QTemporaryDir>

#include "app/DataFolder.h"
#include "tests/support/ScriptedPlatform.h"

namespace pw {
namespace {

using test::ScriptedPlatform;

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void put(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    f.write(bytes);
}

// Folders as an install or a build lays them out, under one temporary root. The database files
// are short stand-ins: choosing and preparing the folder never opens them.
class DataFolderTest : public ::testing::Test {
protected:
    QString at(const QString& relative) const { return root.path() + QChar('/') + relative; }
    // <prefix>/bin and <prefix>/share/platewise with both templates and both documents.
    QString install(const QString& prefix) {
        for (const QString& name :
             {kFoodFile, kMealFile, QStringLiteral("Help.rtf"), QStringLiteral("DV.rtf")})
            put(at(prefix + "/share/platewise/" + name), "template " + name.toUtf8());
        QDir().mkpath(at(prefix + "/bin"));
        return at(prefix + "/bin");
    }
    // A program folder holding both database files, as the build makes it.
    QString programFolder(const QString& dir) {
        for (const QString& name : {kFoodFile, kMealFile}) put(at(dir + '/' + name), "mine");
        return at(dir);
    }
    std::optional<ProgramFolders> open(const FolderInputs& in) {
        return openDataFolder(platform, in, lock);
    }
    QString userDir() const { return at("home/.local/share/Platewise"); }
    // The single message shown, which must name `folder`.
    void expectOneMessageNaming(const QString& folder, const QString& what) {
        ASSERT_EQ(platform.messages().size(), 1u);
        const QString text = platform.messages()[0].text;
        EXPECT_TRUE(text.contains(what)) << text.toStdString();
        EXPECT_TRUE(text.contains(QDir::toNativeSeparators(folder))) << text.toStdString();
    }

    QTemporaryDir root;
    ScriptedPlatform platform;
    std::unique_ptr<FolderLock> lock;
};

TEST_F(DataFolderTest, InstalledProgramStartsTheUserFolderFromTheTemplatesAndNeverReplacesAFile) {
    const QString bin = install("prefix");
    const QString share = at("prefix/share/platewise");
    // Installed files are read-only to the user; the copies must be writable all the same.
    QFile::setPermissions(share + "/MealDataB.mdb", QFile::ReadOwner | QFile::ReadGroup);
    const FolderInputs in{bin, {}, userDir()};

    auto folders = open(in);
    ASSERT_TRUE(folders);
    EXPECT_TRUE(platform.messages().empty());
    EXPECT_EQ(folders->dataDir, userDir());
    EXPECT_EQ(folders->documentDir, share);  // documents are read from the install
    EXPECT_EQ(bytesOf(userDir() + "/Custom.mdb"), "template Custom.mdb");
    EXPECT_EQ(bytesOf(userDir() + "/MealDataB.mdb"), "template MealDataB.mdb");
    EXPECT_TRUE(QFile::permissions(userDir() + "/MealDataB.mdb") & QFile::WriteOwner);
    EXPECT_TRUE(QFile::exists(userDir() + "/Platewise.lock"));  // the lock lives beside the data
    EXPECT_FALSE(QFile::exists(bin + "/Platewise.lock"));

    // The next start: the user's meals stay, a lost food file comes back fresh.
    lock.reset();
    put(userDir() + "/MealDataB.mdb", "my meals");
    QFile::remove(userDir() + "/Custom.mdb");
    ASSERT_TRUE(open(in));
    EXPECT_EQ(bytesOf(userDir() + "/MealDataB.mdb"), "my meals");
    EXPECT_EQ(bytesOf(userDir() + "/Custom.mdb"), "template Custom.mdb");
}

TEST_F(DataFolderTest, TheFolderIsChosenByOptionThenProgramFolderThenUserFolder) {
    struct Case {
        const char* what;
        QString programDir, dataDirArg, wantData, wantDocuments;
    };
    const QString bin = install("prefix");
    const QString build = programFolder("build/Platewise");
    const QString half = at("half");
    put(half + "/Custom.mdb", "mine");  // its MealDataB.mdb is missing
    const std::vector<Case> cases = {
        {"build folder with both files", build, {}, build, build},
        {"program folder lacking a file", half, {}, userDir(), half},
        {"--data-dir over a program folder with both files", build, at("elsewhere/./x/.."),
         at("elsewhere"), build},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ProgramFolders f = chooseFolders({c.programDir, c.dataDirArg, userDir()});
        EXPECT_EQ(f.dataDir, c.wantData);
        EXPECT_EQ(f.documentDir, c.wantDocuments);
    }
    // A relative --data-dir is taken from the current folder and kept whole.
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(root.path()));
    const ProgramFolders f = chooseFolders({bin, QStringLiteral("rel/data"), userDir()});
    QDir::setCurrent(before);
    EXPECT_EQ(f.dataDir, at("rel/data"));
}

// A build's program folder without database files: with no template the user's folder is named
// and nothing is left locked; with the build's own templates a new folder is seeded from them.
TEST_F(DataFolderTest, ABuildSeedsANewFolderFromItsOwnTemplatesAndWithoutThemNamesTheFolder) {
    const QString program = at("build/Platewise");
    QDir().mkpath(program);
    platform.expectMsg(MsgResult::OK);
    EXPECT_FALSE(open({program, {}, userDir()}));
    expectOneMessageNaming(userDir(), QStringLiteral("has no Custom.mdb"));
    EXPECT_FALSE(lock);
    EXPECT_FALSE(QFile::exists(userDir() + "/Platewise.lock"));

    for (const QString& name : {kFoodFile, kMealFile})
        put(at("build/data-templates/" + name), "built " + name.toUtf8());
    auto folders = open({program, at("new/folder"), userDir()});
    ASSERT_TRUE(folders);
    EXPECT_EQ(folders->documentDir, program);
    EXPECT_EQ(bytesOf(at("new/folder/MealDataB.mdb")), "built MealDataB.mdb");
    EXPECT_FALSE(QFile::exists(userDir() + "/MealDataB.mdb"));
}

TEST_F(DataFolderTest, OnlyAnotherPlatewiseHoldingTheLockIsCalledRunning) {
    const QString bin = install("prefix");
    const FolderInputs in{bin, {}, userDir()};
    std::unique_ptr<FolderLock> first;
    ASSERT_TRUE(openDataFolder(platform, in, first));

    platform.expectMsg(MsgResult::OK);
    EXPECT_FALSE(open(in));
    expectOneMessageNaming(userDir(),
                           QStringLiteral("Platewise is already running with the files in "));
    EXPECT_FALSE(lock);
    first.reset();  // the first one ends: the folder is free again
    EXPECT_TRUE(open(in));
}

// The lock is the system's, not the file's: a file left by a program that ended locks nothing, and
// a Platewise that keeps Qt's lock files and one that keeps ours see each other.
TEST_F(DataFolderTest, ALockFileLeftBehindLocksNothingAndQtsLockFilesAreSeen) {
    const QString path = at("Platewise.lock");
    put(path, "999999999\nplatewise\nsomehost\n");
    {
        FolderLock ours(path);
        ASSERT_EQ(ours.tryLock(), FolderLock::Error::None);
        EXPECT_TRUE(bytesOf(path).startsWith(
            QByteArray::number(QCoreApplication::applicationPid()) + '\n'));
        EXPECT_EQ(FolderLock(path).tryLock(), FolderLock::Error::HeldElsewhere);
        QLockFile theirs(path);
        EXPECT_FALSE(theirs.tryLock(0));
    }
    EXPECT_FALSE(QFile::exists(path));  // given back, and the file removed

    QLockFile theirs(path);
    ASSERT_TRUE(theirs.tryLock(0));
    EXPECT_EQ(FolderLock(path).tryLock(), FolderLock::Error::HeldElsewhere);
    theirs.unlock();
    EXPECT_EQ(FolderLock(path).tryLock(), FolderLock::Error::None);
}

// Root writes anywhere; run as an ordinary user (the CTest entry does so when started as root).
TEST_F(DataFolderTest, UnwritableFolders) {
    const QString locked = at("locked");
    programFolder("locked");
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner);
    if (folderIsWritable(locked)) GTEST_SKIP() << "this user writes in read-only folders";
    const QString bin = install("prefix");

    // A read-only program folder is left alone: the user's folder serves instead.
    EXPECT_EQ(chooseFolders({locked, {}, userDir()}).dataDir, userDir());

    // A chosen folder that cannot be written is named as such, not as in use by another program.
    platform.expectMsg(MsgResult::OK);
    EXPECT_FALSE(open({bin, locked, userDir()}));
    expectOneMessageNaming(
        locked, QStringLiteral("The folder ") + locked + QStringLiteral(" cannot be written."));
    EXPECT_FALSE(platform.messages()[0].text.contains(QStringLiteral("already running")));

    // One that cannot be made, inside it.
    ScriptedPlatform second;
    second.expectMsg(MsgResult::OK, QStringLiteral(" cannot be made."));
    std::unique_ptr<FolderLock> l;
    EXPECT_FALSE(openDataFolder(second, {bin, locked + "/inner", userDir()}, l));
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

}  // namespace
}  // namespace pw
