// The creation of a queue from its question (see queue_creation.h).
#include "queue_creation.h"

#include <string>
#include <vector>

#include "held_notices.h"
#include "page_hooks.h"
#include "page_navigation.h"
#include "queue_actions.h"
#include "queue_commands.h"
#include "queue_list.h"
#include "queue_list_view.h"
#include "queue_page.h"
#include "report.h"
#include "setup_state.h"
#include "trace.h"

namespace {

// The pages after a create: the queue exists and is no longer new.
void showCreated() {
  PageHooks& h = pageHooks();
  setup().createMode = 0;
  if (h.setOptionUpdateCreate) h.setOptionUpdateCreate(false);
  if (h.setNewQueueHint) h.setNewQueueHint(false);
  setCreateToggle(false);
  setTestPrintSensitive(true);
}

// The options that went out with a create and did not take: they stay
// changed, so that Update sends them again.
void showOptionsNotSet(const std::string& name, const std::vector<std::string>& failed) {
  std::string text = "The printer '" + name + "'\nwas created, but not set:";
  for (const std::string& f : failed) text += "\nPPD option " + f;
  doMessage(11, "Information Message", text);
}

// Codes 5-10: a queue without a model, created from its device URI and not
// managed.
void createRawQueue() {
  SetupState& s = setup();
  HeldNotices held;
  setLpdSpoolDir(s.printerName);
  if (createQueueByUri(s.printerName) != 1) return showCreateFailed();
  s.queueExists = 1;
  s.queueManaged = 0;
  showCreated();
  refreshQueueList();
}

// Codes 16-22: a queue with its PPD, made managed and recorded.
void createModelQueue() {
  SetupState& s = setup();
  PageHooks& h = pageHooks();
  HeldNotices held;
  const std::string name = s.printerName;
  if (createQueueWithPPD(name) != 0) return showCreateFailed();
  std::vector<std::string> failed;
  if (h.updatePPDOption) {
    h.updatePPDOption(name, &failed);
    for (const std::string& f : failed) tracef("createModelQueue: option %s not sent\n", f.c_str());
  }
  s.queueManaged = 1;
  s.queueExists = 1;
  showCreated();
  setQueueNameLabels(name);
  if (h.setOptionNextSensitive) h.setOptionNextSensitive(true);
  setEditMenuSensitive(255, 255);
  setThumbIndexSensitive(255, 255);
  bool dryRun = s.traceLevel == 1;
  if (!addCreatedPrinter(name, 0)) {
    s.queueManaged = 0;
    held.showAsNotice();
    refreshQueueList();
    return;
  }
  s.ppdConfigReady = 1;
  holdPagesQueue();
  if (saveQueueConfigIfNeeded() < 0) held.showAsNotice();
  else if (!failed.empty()) showOptionsNotSet(name, failed);
  refreshQueueList();
  if (s.applyEntry && !dryRun && h.applyWorkEntry) h.applyWorkEntry();
}

}  // namespace

void showCreateFailed() {
  doMessage(11, "Information Message", "The printer '" + setup().printerName + "'\ncould not be created!");
}

void createQueueForCode(int code) {
  if (code >= 5 && code <= 10) createRawQueue();
  else if (code >= 16 && code <= 22) createModelQueue();
}
