#include "app/FormB.h"

// Report commands arrive with the report subsystem.
namespace pw {
void FormB::mnuReportMealNumber_Click() {}
void FormB::mnuReportRangeMealNumbers_Click() {}
void FormB::mnuReportSpecificDate_Click() {}
void FormB::mnuReportRangeDates_Click() {}
void FormB::mnuSaveReport_Click() {}
void FormB::mnuPrintReport_Click() {}
void FormB::mnuFileOpen_Click() {}
}  // namespace pw
