#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QMainWindow>
#include <QMenuBar>
#include <QStyleFactory>
#include <memory>

#include "platform/ProgramStyle.h"

namespace pw {

namespace {

bool imagePluginMapped() {
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("/imageformats/");
}

void expectSamePixels(const QIcon& ours, const QIcon& theirs) {
    ASSERT_FALSE(theirs.availableSizes().isEmpty());
    EXPECT_EQ(ours.availableSizes(), theirs.availableSizes());
    for (const QSize& size : theirs.availableSizes())
        EXPECT_EQ(ours.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32),
                  theirs.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32))
            << size.width() << "x" << size.height();
}

// A main window's menu bar under the program's style loads no image plugin (each test runs in a
// process of its own), and its overflow arrows are the platform style's own, pixel for pixel, in
// both directions of writing; a missing image leaves the platform style's icon.
TEST(ProgramStyle, TheMenuBarNeedsNoImagePluginAndKeepsItsArrows) {
    auto* style = new ProgramStyle;
    QApplication::setStyle(style);
    {
        QMainWindow window;
        window.menuBar()->addMenu(QStringLiteral("&File"));
        window.menuBar()->adjustSize();
    }
    EXPECT_FALSE(imagePluginMapped());

    const std::unique_ptr<QStyle> plain(QStyleFactory::create(style->baseStyle()->name()));
    for (const Qt::LayoutDirection direction : {Qt::LeftToRight, Qt::RightToLeft}) {
        QApplication::setLayoutDirection(direction);
        QWidget widget;
        for (const QStyle::StandardPixmap arrow : {QStyle::SP_ToolBarHorizontalExtensionButton,
                                                   QStyle::SP_ToolBarVerticalExtensionButton}) {
            expectSamePixels(style->standardIcon(arrow), plain->standardIcon(arrow));
            expectSamePixels(style->standardIcon(arrow, nullptr, &widget),
                             plain->standardIcon(arrow, nullptr, &widget));
        }
    }
    QApplication::setLayoutDirection(Qt::LeftToRight);
    EXPECT_TRUE(builtInPngIcon({QStringLiteral(":/no/such/image.png")}).isNull());
}

}  // namespace

}  // namespace pw
