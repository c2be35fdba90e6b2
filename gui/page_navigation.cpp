// Page switch, tab strip and Edit-menu masks of the main window.
#include "page_navigation.h"

#include <Xm/ToggleB.h>
#include <Xm/Xm.h>

#include "main_window.h"
#include "message_page.h"
#include "page_hooks.h"
#include "report.h"
#include "screen_values.h"
#include "setup_state.h"
#include "thumb_index.h"
#include "trace.h"

namespace {

const int kTabBits[7] = {1, 2, 4, 8, 32, 64, 128};
const int kTabPages[7] = {kPageQueue,        kPageConnect,  kPageModel, kPageDeviceOptions,
                          kPagePrintOptions, kPageAdvanced, kPageExtra};

constexpr int kListRowHeight = 17;
constexpr int kListMinHeight = 828;
constexpr int kListMaxHeight = 32767;  // the largest X window

// The container slot of a page; -1 for a page that does not exist.
int slotOfPage(int page) {
  switch (page) {
    case kPageQueue: return kSlotQueue;
    case kPageConnect: return kSlotConnect;
    case kPageModel: return kSlotModel;
    case kPageDeviceOptions:
    case kPagePrintOptions: return kSlotOptions;
    case kPageExtra:
    case kPageAdvanced: return kSlotAdvanced;
    case kPageMessage: return kSlotMessage;
    default: return -1;
  }
}

void setSensitive(Widget w, bool on) {
  if (w) XtSetSensitive(w, on ? True : False);
}

// Manages the slot's page and unmanages every other one, except `keep`.
void showOnlySlot(int slot, int keep) {
  MainWidgets& m = mainWidgets();
  for (int i = 0; i < kPageSlotCount; ++i) {
    Widget page = m.pages[i];
    if (!page || i == slot || i == keep) continue;
    if (XtIsManaged(page)) XtUnmanageChild(page);
  }
  if (slot >= 0 && m.pages[slot] && !XtIsManaged(m.pages[slot])) XtManageChild(m.pages[slot]);
}

void setMasks(int mask) {
  setThumbIndexSensitive(255, mask);
  setEditMenuSensitive(255, mask);
}

bool modelNameSet() {
  PageHooks& h = pageHooks();
  return h.modelName && !h.modelName().empty();
}

// The extra steps and mask changes of each page.
void preparePage(int page) {
  SetupState& s = setup();
  PageHooks& h = pageHooks();
  bool existing = s.queueExists != 0;
  switch (page) {
    case kPageModel:
      if (h.showModelLabel) h.showModelLabel();
      if (!existing) setMasks(modelNameSet() && !s.ppdFile.empty() ? 15 : 7);
      break;
    case kPageDeviceOptions:
      if (existing) {
        setMasks(255);
      } else {
        setMasks(47);
        if (h.checkModelNext) h.checkModelNext();
      }
      if (h.showOptionPane) h.showOptionPane(1);
      break;
    case kPagePrintOptions:
      if (existing) {
        setMasks(255);
      } else {
        setMasks(47);
        if (h.setOptionNextSensitive) h.setOptionNextSensitive(false);
      }
      if (h.showOptionPane) h.showOptionPane(2);
      break;
    case kPageExtra:
    case kPageAdvanced:
      if (h.setAdvancedNextLabel) h.setAdvancedNextLabel(page == kPageAdvanced);
      if (h.showAdvancedForm) h.showAdvancedForm(page == kPageExtra ? 5 : 1);
      if (existing) setMasks(255);
      break;
    default:
      break;
  }
}

// Shows a page; when loading the queue on the way raised a notice, the
// notice stands and the page is the one its OK or Quit leads to.
void showPageUnlessNotice(int page) {
  const SetupState& s = setup();
  if (s.panelMode == kPageMessage && s.messagePageState != kPageIdle) {
    navigation().pageBefore = page;
    return;
  }
  ManageMainForm(page);
}

void setStripIndex(int tab) {
  Widget strip = mainWidgets().indexThumb;
  if (strip) XtVaSetValues(strip, XwNselectedIndex, tab, nullptr);
}

}  // namespace

const char* const kTabLabels[7] = {"Queue", "Port", "Model", "Device Options",
                                   "Print Options", "Advanced", "Extra"};

NavigationState& navigation() {
  static NavigationState state;
  return state;
}

int tabBit(int tab) { return (tab >= 0 && tab < 7) ? kTabBits[tab] : 0; }
int tabPage(int tab) { return (tab >= 0 && tab < 7) ? kTabPages[tab] : kPageQueue; }

void ManageMainForm(int page) {
  SetupState& s = setup();
  NavigationState& nav = navigation();
  if (page == kPageConnect && s.fatalReason) {
    if (traceLevel() > 0) tracef("##### ManageMainForm(%d :: %d)\n", page, s.fatalReason);
    return;
  }
  nav.pageBefore = s.panelMode;
  if (traceLevel() > 0) tracef("##### ManageMainForm(%d :: %d)\n", page, s.fatalReason);
  int slot = slotOfPage(page);
  if (slot < 0) {
    // No such page: everything but the message page is hidden, nothing shown.
    showOnlySlot(-1, kSlotMessage);
    return;
  }
  int keep = (page == kPageQueue && s.fatalReason) ? kSlotMessage : -1;
  preparePage(page);
  showOnlySlot(slot, keep);
  s.panelMode = page;
}

void SetThumbIndex(int tab) {
  if (traceLevel() > 1) tracef("SetThumbIndex(%d).\n", tab);
  navigation().thumbIndex = tab;
  setStripIndex(tab);
}

void setThumbIndexSensitive(int bit, int on) {
  NavigationState& nav = navigation();
  for (int t = 0; t < 7; ++t) {
    if (bit == 255) nav.tabEnabled[t] = (on & kTabBits[t]) ? 1 : 0;
    else if (bit == kTabBits[t]) nav.tabEnabled[t] = on ? 1 : 0;
  }
  if (traceLevel() > 0) {
    const int* f = nav.tabEnabled;
    // In bit order 1, 2, 4, 8, 16 (no tab), 32, 64, 128.
    tracef("setThumbIndexSensitive(%d,%d,%d,%d,%d,%d,%d,%d)\n", f[0], f[1], f[2], f[3], 0, f[4],
           f[5], f[6]);
  }
}

void setEditMenuSensitive(int bit, int on) {
  NavigationState& nav = navigation();
  MainWidgets& m = mainWidgets();
  for (int t = 0; t < 7; ++t) {
    if (bit == 255) setSensitive(m.editEntries[t], (on & kTabBits[t]) != 0);
    else if (bit == kTabBits[t]) setSensitive(m.editEntries[t], on != 0);
  }
  nav.savedMenuMask = bit;
  nav.savedMenuSensitive = on;
}

void setThumbIndexWidgetSensitive(bool on) { setSensitive(mainWidgets().indexThumb, on); }
void setOkSensitive(bool on) { setSensitive(mainWidgets().okButton, on); }
void setQueueListSensitive(bool on) { setSensitive(mainWidgets().queueList, on); }
void setMenuBarSensitive(bool on) { setSensitive(mainWidgets().menuBar, on); }

void setTestPrintSensitive(bool on) {
  for (Widget w : mainWidgets().testPrintEntries) setSensitive(w, on);
}

int queueListHeightFor(int count) {
  long height = static_cast<long>(count) * kListRowHeight;
  if (height < kListMinHeight) return kListMinHeight;
  return height > kListMaxHeight ? kListMaxHeight : static_cast<int>(height);
}

void setQueueListHeight(int count) {
  navigation().queueListHeight = queueListHeightFor(count);
  // The list asks for its height; its scrolled window keeps the place the
  // main form gives it, and the list scrolls its rows within it.
  Widget list = mainWidgets().queueList;
  if (list) XtVaSetValues(list, XmNheight, static_cast<Dimension>(navigation().queueListHeight), nullptr);
}

void setCreateToggle(bool on) {
  Widget t = mainWidgets().createToggle;
  if (t) XmToggleButtonSetState(t, on ? True : False, False);
}

int setLpdSpoolDir(const std::string& name) {
  if (name.empty()) return 0;
  SetupState& s = setup();
  s.newQueueRemoteHost = s.lpdHost;
  s.newQueueRemoteQueue = s.remoteQueue;
  if (s.lpMode == kLpBsd || s.lpMode == kLpLprng) s.newQueueSpoolDir = "/var/spool/lpd/" + name;
  return 1;
}

void ringBell(int n) {
  if (n <= 0) n = 2;
  navigation().bellCount += n;
  Widget w = mainWidgets().mainShell ? mainWidgets().mainShell : mainWidgets().appShell;
  if (!w) return;
  for (int i = 0; i < n; ++i) XBell(XtDisplay(w), 0);
  flushDisplay(w);
}

void selectTab(int tab) {
  SetupState& s = setup();
  NavigationState& nav = navigation();
  PageHooks& h = pageHooks();
  int current = s.panelMode;
  int page = current;
  if (tab == 0) {
    nav.thumbIndex = 0;
    page = kPageQueue;
  } else if (tab == 1 && s.fatalReason) {
    doMessage(11, "Configuration File", "*** NO CUPS DAEMON FOUND! ***");
    ringBell(2);
    setStripIndex(nav.thumbIndex);
    return;
  } else if (tab < 0 || tab > 6 || (tab >= 2 && s.printerType == kTypeRaw) || !nav.tabEnabled[tab]) {
    ringBell(2);
    setStripIndex(nav.thumbIndex);
  } else {
    nav.thumbIndex = tab;
    if (current == kPageQueue && h.goThroughPanel) h.goThroughPanel(0);
    page = tabPage(tab);
  }
  showPageUnlessNotice(page);
  setQueueListSensitive(nav.thumbIndex == 0);
}

void thumbIndexCB(Widget, XtPointer, XtPointer callData) {
  auto* cbs = static_cast<XwThumbIndexCallbackStruct*>(callData);
  if (!cbs) return;
  selectTab(cbs->selectedIndex);
}

void editEntryCB(Widget, XtPointer clientData, XtPointer) {
  int tab = static_cast<int>(reinterpret_cast<long>(clientData));
  PageHooks& h = pageHooks();
  if (setup().panelMode == kPageQueue && tab != 0 && h.goThroughPanel) h.goThroughPanel(0);
  SetThumbIndex(tab);
  showPageUnlessNotice(tabPage(tab));
  setQueueListSensitive(tab == 0);
}
