#include "app/EarlySessionBus.h"

#include <QDBusConnection>
#include <QGuiApplication>

namespace pw {

std::jthread connectSessionBusEarly() {
    const QString platform = QGuiApplication::platformName();
    if (platform != QLatin1String("xcb") && !platform.startsWith(QLatin1String("wayland")))
        return {};
    return std::jthread([] { QDBusConnection::sessionBus(); });
}

}  // namespace pw
