// The pages' registration (see wizard_pages.h).
#include "wizard_pages.h"

#include <string>

#include "advanced_hooks.h"
#include "connect_page.h"
#include "file_form.h"
#include "help_dispatch.h"
#include "local_form.h"
#include "lpd_form.h"
#include "main_window.h"
#include "model_page.h"
#include "option_pages.h"
#include "option_rows.h"
#include "option_sending.h"
#include "page_forms.h"
#include "page_hooks.h"
#include "ppd_session.h"
#include "queue_actions.h"
#include "queue_creation.h"
#include "queue_list.h"
#include "queue_page.h"
#include "setup_state.h"
#include "tcp_form.h"

namespace {

std::string stateModelName() { return setup().modelName; }

void setQueueNameHook(const char* name, int readType) { setQueueName(name, readType); }
void goThroughPanelHook(int flag) { goThroughPanel(flag); }
void saveHook() { applyQueueSetup(1); }

// The back end's queue-name setter: an empty name clears the page.
void backendQueueName(const std::string& name) { setQueueName(name.empty() ? nullptr : name.c_str(), 0); }

// The model page and the option pages.
void showOptionPaneHook(int pane) {
  if (pane == 1 || pane == 2) optionPages().ppdScrlWindMode = pane;
  showOptionPane(pane);
}
void updateCreateHook(bool create) { setUpdateButtonMode(create ? 0 : 1); }
void resetOptionPagesHook() {
  if (optionPages().currentPpd) closePpd();
  clearSpecialOptionFlags();
}
int openPpdHook() { return openPpd(setup().ppdFile); }
void restoreHook() { RestoreDynamicData(); }
bool modelPagesHelpHook(Widget picked) { return ppdFileFormHelp(picked) || ppdPageHelp(picked); }

void installModelPages() {
  PageHooks& h = pageHooks();
  setPageBuilder(kSlotModel, createModelPage);
  setPageBuilder(kSlotOptions, createPpdConfigPage);
  h.showModelLabel = showModelLabel;
  h.checkModelNext = checkPPDNextPB;
  h.showOptionPane = showOptionPaneHook;
  h.setOptionNextSensitive = setPpdCnfNextSensitive;
  h.setOptionUpdateCreate = updateCreateHook;
  h.resetOptionPages = resetOptionPagesHook;
  h.clearPpdFileName = clearPpdFileName;
  h.openPpd = openPpdHook;
  h.setPpdBrowseSensitive = setPpdBrowseSensitive;
  h.restoreDynamicData = restoreHook;
  h.updatePPDOption = updatePPDOption;
  h.modelPagesHelp = modelPagesHelpHook;
}

}  // namespace

void installWizardPages() {
  PageHooks& h = pageHooks();
  setPageBuilder(kSlotQueue, createQueuePage);
  setPageBuilder(kSlotConnect, createConnectPage);
  h.goThroughPanel = goThroughPanelHook;
  h.setQueueName = setQueueNameHook;
  h.resetQueueType = resetQueueType;
  h.setNewQueueHint = setNewQueueHint;
  if (!h.modelName) h.modelName = stateModelName;
  if (!h.queueAction) h.queueAction = queueOkAction;
  if (!h.saveAction) h.saveAction = saveHook;
  if (!h.applyMessageCode) h.applyMessageCode = createQueueForCode;
  if (!h.helpMode) h.helpMode = helpMode;
  h.queuePageHelp = queuePageHelp;
  h.connectPageHelp = connectPageHelp;
  h.lpdFormHelp = lpdFormHelp;
  h.tcpFormHelp = tcpFormHelp;
  h.localFormHelp = localFormHelp;
  h.fileFormHelp = fileFormHelp;
  setQueueNameSetter(backendQueueName);
  installAdvancedPage();
  installModelPages();
}
