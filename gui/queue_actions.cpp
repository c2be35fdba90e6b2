// The queue actions (see queue_actions.h).
#include "queue_actions.h"

#include <string>
#include <vector>

#include "connect_page.h"
#include "cups_options.h"
#include "main_window.h"
#include "page_hooks.h"
#include "page_navigation.h"
#include "queue_name.h"
#include "report.h"
#include "screen_values.h"
#include "setup_state.h"
#include "trace.h"

namespace {

bool modelGiven() {
  const PageHooks& h = pageHooks();
  return h.modelName && !h.modelName().empty();
}

}  // namespace

int getSetupInfo() {
  SetupState& s = setup();
  if (traceLevel() > 0) tracef("getSetupInfo()\n");
  if (mainWidgets().mainShell) flushDisplay(mainWidgets().mainShell);
  if (!reportQueueName(s.printerName)) return 0;
  if (s.printerType == kTypeRaw) return 1;
  readConnectPage();
  if (!modelGiven()) doMessage(11, "Empty Entry!", "The field for the model\nis empty or non-valid!\n");
  return 1;
}

int goAction(int applyEntry) {
  setup().applyEntry = applyEntry;
  return 0;
}

void applyQueueSetup(int notify) {
  SetupState& s = setup();
  PageHooks& h = pageHooks();
  if (!getSetupInfo()) return;
  if (h.updatePPDOption) {
    std::vector<std::string> failed;
    h.updatePPDOption(&failed);
  }
  if ((s.bannersChanged || s.errorPolicyChanged) && setCUPSInfo(s.printerName) == 1) {
    s.bannersChanged = s.errorPolicyChanged = 0;
  }
  if (s.deviceUriChanged && sendDeviceURI(s.printerName) == 0) s.deviceUriChanged = 0;
  if (s.ppdChanged && setCUPSValue(s.printerName, s.ppdFile, 6) == 0) s.ppdChanged = 0;
  if (notify && !s.updateReported) {
    doMessage(64, "Information Message", "The printer '" + s.printerName + "'\nhas been updated!");
    s.updateReported = 1;
  }
}

void queueOkAction() {
  SetupState& s = setup();
  if (s.queueLoadPending) {
    ringBell(2);
    if (traceLevel() >= 3) tracef("New Queue\n");
  } else if (s.queueManaged && s.queueExists) {
    if (traceLevel() >= 1) tracef("Update Jarn Queue\n");
    applyQueueSetup(1);
  } else if (!s.queueManaged && s.queueExists) {
    ringBell(4);
    if (traceLevel() >= 1) tracef("Unknown Queue\n");
  } else {
    if (traceLevel() >= 1) tracef("Create New Queue\n");
    goAction(0);
  }
}
