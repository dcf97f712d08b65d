#pragma once

#include <QIcon>
#include <QProxyStyle>
#include <QStringList>

namespace pw {

// An icon of the PNG images `files` (Qt resources or files), read by the PNG reader built into
// Qt. Qt's usual way of reading an image first offers it to every image plugin, which loads them
// all, and Qt SVG with them: some milliseconds of start-up for an image Qt reads itself in the
// end.
QIcon builtInPngIcon(const QStringList& files);

// The program's style: the platform's own, except that the arrow of the menu bar's overflow
// button, which the common styles read through the image plugins while the main window is built,
// is read from the same images by builtInPngIcon.
class ProgramStyle : public QProxyStyle {
public:
    ProgramStyle() = default;
    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};

}  // namespace pw
