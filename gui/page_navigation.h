// Switching the main window's pages: the page switch ManageMainForm, the tab
// strip and its enable flags, the Edit menu's mask, and the small
// sensitivity setters the pages and the message page use.
#pragma once

#include <X11/Intrinsic.h>

#include <string>

// Pages of the container (the value of panelMode).
enum MainPage {
  kPageQueue = 0,
  kPageConnect = 1,
  kPageModel = 2,
  kPageDeviceOptions = 3,
  kPagePrintOptions = 4,
  kPageExtra = 5,
  kPageAdvanced = 6,
  kPageMessage = 7,
};

// Navigation state of the main window.
struct NavigationState {
  int thumbIndex = 0;           // current tab
  int pageBefore = 0;           // page shown before the last switch
  int savedMenuMask = 255;      // arguments of the last setEditMenuSensitive
  int savedMenuSensitive = 1;
  int tabEnabled[7] = {1, 0, 0, 0, 0, 0, 0};
  int bellCount = 0;            // bells rung so far (for the tests)
  int queueListHeight = 828;    // the height last asked for the queue list
};
NavigationState& navigation();

// The tabs' enable bits and pages, in strip order.
int tabBit(int tab);
int tabPage(int tab);
// The tab labels in strip order.
extern const char* const kTabLabels[7];

// Shows one page and hides the others, with the mask changes of each page.
void ManageMainForm(int page);

// Sets the strip's selected tab and thumbIndex.
void SetThumbIndex(int tab);

// One tab's enable flag (bit 1..128), or with bit 255 every flag from the
// bits of `on`.
void setThumbIndexSensitive(int bit, int on);
// The same for the Edit entries' sensitivity; records (bit, on) in any case.
void setEditMenuSensitive(int bit, int on);

void setThumbIndexWidgetSensitive(bool on);
void setOkSensitive(bool on);
void setQueueListSensitive(bool on);
void setTestPrintSensitive(bool on);
void setMenuBarSensitive(bool on);

// List height for a number of queues: 17 pixels each, at least 828, at most
// what an X window can be. It is recorded only: the list scrolls its own
// items inside the part of the window the form gives it, so that a height
// forced on the list widget would hide the queues below the window's edge.
int queueListHeightFor(int count);
void setQueueListHeight(int count);

// Sets the Create toggle without running its callback.
void setCreateToggle(bool on);

// For a queue created without a PPD: copies lpdHost and remoteQueue into
// newQueueRemoteHost and newQueueRemoteQueue and, under an LPD spooler
// (LPMODE 2 or 4), "/var/spool/lpd/<name>" into newQueueSpoolDir. An empty
// name does nothing and gives 0; else 1.
int setLpdSpoolDir(const std::string& name);

// Rings n bells (2 when n <= 0) and flushes the display.
void ringBell(int n);

// Callbacks: the tab strip and the seven Edit entries (client data: the tab).
void thumbIndexCB(Widget widget, XtPointer clientData, XtPointer callData);
void editEntryCB(Widget widget, XtPointer clientData, XtPointer callData);

// The tab strip's choice, as thumbIndexCB acts on it.
void selectTab(int tab);
