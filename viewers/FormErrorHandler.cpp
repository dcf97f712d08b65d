#include "viewers/FormErrorHandler.h"

#include "platform/GlobalModule.h"
#include "platform/Platform.h"

namespace pw {

void FormErrorHandler(Platform& platform, int number, const QString& description) {
    platform.message(errorReportText(number, description, ErrorBreak::LfCr));
}

}  // namespace pw
