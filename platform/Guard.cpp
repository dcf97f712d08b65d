#include "platform/Guard.h"

#include "data/Database.h"
#include "data/RuntimeError.h"
#include "platform/GlobalModule.h"
#include "platform/Platform.h"

namespace pw {

void reportPendingError(Platform& platform) {
    const RuntimeError e = pendingError();
    platform.setMousePointer(Pointer::Normal);
    GlobalErrorHandler(platform, e.number(), e.description());
}

void runGuarded(Platform& platform, const std::function<void()>& handler) {
    try {
        handler();
    } catch (...) {
        reportPendingError(platform);
    }
}

}  // namespace pw
