#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "app/FormB.h"
#include "app/Globals.h"
#include "app/frmAbout.h"
#include "app/frmSplash.h"
#include "data/Database.h"
#include "tests/support/ScriptedPlatform.h"
#include "tests/support/TestDb.h"

namespace pw::test {
namespace {

void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

// Whether any pixel of `rows` of the image differs from the window's background.
bool inked(const QImage& image, int top, int bottom, QColor background) {
    for (int y = std::max(0, top); y < std::min(image.height(), bottom); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) != background) return true;
        }
    }
    return false;
}

TEST(AboutBox, DrawsItsFiveLinesAndStaysOneModelessWindow) {
    EXPECT_EQ(frmAbout::lines(),
              (QStringList{"", "   Korvane Platewise Version 1.0, build 4 ", "",
                           "   Note that this program requires the graphics adapter to be set",
                           "   to at least an 800 by 600 display."}));

    ScriptedPlatform platform;
    ProgramFolder folder;
    platform.expectMsg(MsgResult::OK, QStringLiteral("There are no records yet"));
    std::unique_ptr<FormB> form = startProgram(platform, folder.path());
    ASSERT_NE(form, nullptr);

    form->mnuAbout->trigger();
    frmAbout* about = form->aboutBox();
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->isVisible());
    EXPECT_FALSE(about->isModal());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(about->windowTitle(), "About Korvane Platewise");
    EXPECT_EQ(about->Command1->text(), "OK");

    // The surface: ink on the rows of lines 2, 4 and 5, none on the empty lines 1 and 3; a
    // second rendering (as after being covered) draws the same.
    const int line = about->fontMetrics().lineSpacing();
    const QColor background = about->palette().color(QPalette::Window);
    const QImage first = about->grab().toImage();
    const QImage again = about->grab().toImage();
    EXPECT_FALSE(inked(first, 0, line, background));
    EXPECT_TRUE(inked(first, line, 2 * line, background));
    EXPECT_FALSE(inked(first, 2 * line, 3 * line, background));
    EXPECT_TRUE(inked(first, 3 * line, 5 * line, background));
    EXPECT_EQ(first, again);

    // A second choice brings the same window forward.
    form->mnuAbout->trigger();
    EXPECT_EQ(form->aboutBox(), about);
    EXPECT_EQ(form->findChildren<frmAbout*>().size(), 1);

    QTest::mouseClick(about->Command1, Qt::LeftButton);
    settle();
    EXPECT_EQ(form->aboutBox(), nullptr);
    form->mnuAbout->trigger();
    EXPECT_NE(form->aboutBox(), nullptr);

    form.reset();
    closeAllConnections();
}

frmSplash* findSplash() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* splash = qobject_cast<frmSplash*>(w); splash && splash->isVisible())
            return splash;
    }
    return nullptr;
}

TEST(Splash, ShowsProductAndVersionWithoutACaption) {
    frmSplash splash;
    EXPECT_TRUE(splash.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(splash.lblProductName->text(), "Korvane Platewise");
    EXPECT_EQ(splash.Label1->text(), "Loading Database.  Please wait....");
    EXPECT_EQ(splash.Label2->text(), "Version 1.0");
    EXPECT_EQ(splash.Label3->text(), "Build 4");
    EXPECT_EQ(splash.lblProductName->font().family(), "Times New Roman");
    EXPECT_EQ(splash.lblProductName->font().pointSizeF(), 24);
    EXPECT_TRUE(splash.lblProductName->font().bold());
    EXPECT_EQ(splash.Label1->font().pointSizeF(), 15.75);
    EXPECT_TRUE(splash.Label1->font().bold());
    EXPECT_EQ(splash.Label2->font(), splash.font());
    for (QLabel* l : {splash.lblProductName, splash.Label1, splash.Label2, splash.Label3})
        EXPECT_EQ(l->parentWidget(), splash.Frame1);
}

TEST(Splash, KeyDuringStartUpClosesItAndTheMainWindowStillOpens) {
    ScriptedPlatform platform;
    ProgramFolder folder;
    platform.expectMsg(MsgResult::OK, QStringLiteral("There are no records yet"));
    bool splashWasUp = false;
    std::unique_ptr<FormB> form = withSplash(platform, [&] {
        frmSplash* splash = findSplash();
        splashWasUp = splash != nullptr;
        if (splash) QTest::keyClick(splash, Qt::Key_Space);
        EXPECT_EQ(findSplash(), nullptr);
        return startProgram(platform, folder.path());
    });
    EXPECT_TRUE(splashWasUp);
    EXPECT_EQ(platform.processEventsCount(), 1);
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(form->isVisible());
    settle();

    // Without a key the splash window stays up through the load and closes after it; a click
    // on its frame closes it as well.
    bool upDuringLoad = false;
    const int result = withSplash(platform, [&] {
        upDuringLoad = findSplash() != nullptr;
        return 7;
    });
    EXPECT_TRUE(upDuringLoad);
    EXPECT_EQ(result, 7);
    EXPECT_EQ(findSplash(), nullptr);
    withSplash(platform, [] {
        QTest::mouseClick(findSplash()->Frame1, Qt::LeftButton);
        EXPECT_EQ(findSplash(), nullptr);
        return 0;
    });
    settle();

    form.reset();
    closeAllConnections();
}

}  // namespace
}  // namespace pw::test
