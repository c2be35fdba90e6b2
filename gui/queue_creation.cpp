// The creation of a queue from its question (see queue_creation.h).
#include "queue_creation.h"

#include <string>
#include <vector>

#include "dry_run.h"
#include "held_notices.h"
#include "page_hooks.h"
#include "page_navigation.h"
#include "queue_actions.h"
#include "queue_commands.h"
#include "queue_list.h"
#include "queue_list_view.h"
#include "queue_name.h"
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

// A create never reaches a queue the spooler holds: its list is read again
// (another program may have made one since Next), and a name it holds in
// any spelling (CUPS does not tell names apart by case) gets a notice
// naming that queue.
bool reportQueueHeld(const std::string& name) {
  SetupState& s = setup();
  getSysQ(&s.systemQueueList, 1);
  const std::string held = systemQueueHolding(name);
  if (held.empty()) return true;
  doMessage(11, "Queue Name", "The queue name '" + name + "'\nnames the existing queue '" + held + "'.");
  return false;
}

// What must hold before a create sends anything: a name that CUPS and its
// clients can use and that names no queue yet, and for a file queue a full
// path. A refusal is a notice the user mends on the pages.
bool creationAllowed() {
  const SetupState& s = setup();
  if (!reportNewQueueName(s.printerName) || !reportQueueHeld(s.printerName)) return false;
  return s.connectType != kConnectFile || reportFileQueuePath(s.fileName);
}

// A queue the daemon made whose records could not be written: the notice
// names the step that failed; the queue stays, listed as not managed.
void showNotRecorded(const std::string& name, const HeldNotices& held) {
  doMessage(11, "Information Message",
            "The printer '" + name + "'\nwas created, but not recorded:\n" + held.heldText());
}

// Codes 5-10: a queue without a model, created from its device URI and not
// managed.
void createRawQueue() {
  SetupState& s = setup();
  if (!creationAllowed()) return;
  HeldNotices held;
  setLpdSpoolDir(s.printerName);
  if (createQueueByUri(s.printerName) != 1) return showCreateFailed();
  s.queueExists = 1;
  s.queueManaged = 0;
  showCreated();
  refreshQueueList();
  if (isDryRun()) showDryRunNotice(s.printerName);
}

// Codes 16-22: a queue with its PPD, made managed and recorded.
void createModelQueue() {
  SetupState& s = setup();
  PageHooks& h = pageHooks();
  if (!creationAllowed()) return;
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
  bool dryRun = isDryRun();
  s.ppdConfigReady = 1;
  holdPagesQueue();
  // The record first: the information file names the queue only once its
  // jarnConfig is written.
  if (!addCreatedPrinter(name, 0, [] { return saveQueueConfigIfNeeded() == 1; })) {
    s.queueManaged = 0;
    s.ppdConfigReady = 0;
    dropPagesQueue(name);
    showNotRecorded(name, held);
    refreshQueueList();
    return;
  }
  if (dryRun) showDryRunNotice(name);
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
