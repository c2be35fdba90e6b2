// The main window "jarnMainShell": menu bar, the tab strip, the queue list,
// the OK, Help and Quit buttons and the container that holds the pages, of
// which exactly one is managed at a time.
#pragma once

#include <X11/Intrinsic.h>

#include "image_set.h"

// Slots of the page widgets in the container: pages 3/4 and 5/6 share one.
enum PageSlot {
  kSlotQueue,     // page 0
  kSlotConnect,   // page 1
  kSlotModel,     // page 2
  kSlotOptions,   // pages 3 and 4
  kSlotAdvanced,  // pages 5 and 6
  kSlotMessage,   // page 7
  kPageSlotCount
};

constexpr int kTabCount = 7;
constexpr int kTestPrintCount = 6;

// The widgets of the main window, filled by createMainWindow.
struct MainWidgets {
  Widget appShell = nullptr;
  Widget mainShell = nullptr;
  Widget form = nullptr;
  Widget menuBar = nullptr;
  Widget queueNameLabel = nullptr;
  Widget indexThumb = nullptr;
  Widget okButton = nullptr;
  Widget helpButton = nullptr;
  Widget quitButton = nullptr;
  Widget okLabel = nullptr, helpLabel = nullptr, quitLabel = nullptr;  // captions of the buttons
  Widget fileMenu = nullptr, editMenu = nullptr, optionsMenu = nullptr, aboutMenu = nullptr;  // cascades
  Widget queueListWindow = nullptr;
  Widget queueList = nullptr;
  Widget logoLabel = nullptr;
  Widget formBase = nullptr;
  Widget container = nullptr;
  Widget pages[kPageSlotCount] = {};
  Widget createToggle = nullptr;
  Widget saveEntry = nullptr;
  Widget quitEntry = nullptr;
  Widget editEntries[kTabCount] = {};
  Widget filterToggles[3] = {};  // all, own, system
  Widget testPrintEntries[kTestPrintCount] = {};
  Widget tipToggle = nullptr;
  Widget resetEntry = nullptr;
  Widget aboutEntry = nullptr;
};

MainWidgets& mainWidgets();

// The button images loaded at start (all 0 when none were loaded).
ButtonImages& programImages();

// Whether the logo is shown (the start-up logo flag).
void setLogoShown(bool on);
bool isLogoShown();

// Builds the main window as a popup shell of `appShell` with the form's
// width and height, sets the tabs, shows page 0 with only the Queue tab
// enabled, and fills the queue list. Returns the main shell (not yet popped up).
Widget createMainWindow(Widget appShell, int width, int height);

// Pops the main shell up.
void popupMainWindow();

// The main shell's title: the version title and the system kind.
const char* systemKindSuffix(int osKind);

// The version title of the program's windows.
extern const char kVersionTitle[];
