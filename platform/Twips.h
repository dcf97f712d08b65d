#pragma once

#include <QPaintDevice>
#include <cmath>

namespace pw {

// Window layouts are given in twips (1/1440 inch) and converted at the screen's resolution, so
// they keep their proportions on a high-resolution screen too.
inline constexpr int kTwipsPerInch = 1440;

inline int twipsToPixelsX(const QPaintDevice& device, int twips) {
    return static_cast<int>(std::lround(double(twips) * device.logicalDpiX() / kTwipsPerInch));
}

inline int twipsToPixelsY(const QPaintDevice& device, int twips) {
    return static_cast<int>(std::lround(double(twips) * device.logicalDpiY() / kTwipsPerInch));
}

}  // namespace pw
