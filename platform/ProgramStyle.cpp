#include "platform/ProgramStyle.h"

#include <QGuiApplication>
#include <QImageReader>
#include <QPixmap>
#include <QStyleOption>
#include <QWidget>

namespace pw {

namespace {

bool rightToLeft(const QStyleOption* option, const QWidget* widget) {
    if (option) return option->direction == Qt::RightToLeft;
    if (widget) return widget->isRightToLeft();
    return QGuiApplication::isRightToLeft();
}

// The common styles' images of the overflow arrows, smallest first.
QStringList extensionArrow(QStyle::StandardPixmap icon, bool rtl) {
    const QString dir = QStringLiteral(":/qt-project.org/styles/commonstyle/images/");
    if (icon == QStyle::SP_ToolBarVerticalExtensionButton)
        return {dir + QStringLiteral("toolbar-ext-v-5.png"),
                dir + QStringLiteral("toolbar-ext-v-10.png"),
                dir + QStringLiteral("toolbar-ext-v-20.png")};
    const QString name =
        rtl ? QStringLiteral("toolbar-ext-h-rtl-") : QStringLiteral("toolbar-ext-h-");
    return {dir + name + QStringLiteral("8.png"), dir + name + QStringLiteral("16.png"),
            dir + name + QStringLiteral("32.png")};
}

}  // namespace

QIcon builtInPngIcon(const QStringList& files) {
    QIcon icon;
    for (const QString& file : files) {
        QImageReader reader(file, "png");
        reader.setAutoDetectImageFormat(false);  // no plugin is asked first
        const QImage image = reader.read();
        if (!image.isNull()) icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

QIcon ProgramStyle::standardIcon(StandardPixmap icon, const QStyleOption* option,
                                 const QWidget* widget) const {
    if (icon != SP_ToolBarHorizontalExtensionButton && icon != SP_ToolBarVerticalExtensionButton)
        return QProxyStyle::standardIcon(icon, option, widget);
    // Fusion and Windows take these arrows from the common style's images; other styles draw
    // their own.
    const QString base = baseStyle()->name();
    if (base.compare(QLatin1String("fusion"), Qt::CaseInsensitive) == 0 ||
        base.compare(QLatin1String("windows"), Qt::CaseInsensitive) == 0) {
        const QIcon arrow = builtInPngIcon(extensionArrow(icon, rightToLeft(option, widget)));
        if (!arrow.isNull()) return arrow;
    }
    return QProxyStyle::standardIcon(icon, option, widget);
}

}  // namespace pw
