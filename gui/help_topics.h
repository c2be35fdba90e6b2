// Help topics of the pages and the look-up from a picked widget to its
// topic. Topics are named by their place in the program's topic table, not
// by title: several topics share a title ("NAME OF THE QUEUE" stands for
// the queue page's field and for the banner of every page).
#pragma once

#include <X11/Intrinsic.h>

#include <vector>

// Places in the topic table of the topics the pages use.
enum HelpTopic {
  kHelpNextPort = 19, kHelpDeleteQueue = 20, kHelpQueueType = 21, kHelpWorkingMenus = 22,
  kHelpQueueNameField = 23, kHelpQueueNameBanner = 24, kHelpConnectNext = 25,
  kHelpConnectPrevious = 26, kHelpConnectTypeForm = 27, kHelpRemoteIpp = 28, kHelpLocalUsb = 29,
  kHelpLocalQueue = 30, kHelpRemoteLpd = 31, kHelpRemoteTcp = 32, kHelpFileQueue = 33,
  kHelpTypeOfQueue = 34, kHelpLpdForm = 35, kHelpConnectName = 36, kHelpRemoteHost = 37,
  kHelpRemoteQueueName = 38, kHelpTcpPort = 39, kHelpTcpForm = 40, kHelpTcpHost = 41,
  kHelpDeviceName = 42, kHelpLocalForm = 43, kHelpDeviceList = 44, kHelpFileName = 45,
  kHelpFileForm = 46, kHelpBrowseFile = 47, kHelpUsbManualName = 84, kHelpUsbList = 85,
  kHelpUsbForm = 86, kHelpUsbToggle = 87, kHelpIppPath = 88, kHelpIppForm = 89,
  // The model page and the option pages.
  kHelpModelNext = 48, kHelpModelPrevious = 49, kHelpModelSelection = 50, kHelpPrinterModel = 51,
  kHelpBrowseModel = 52, kHelpModelBanner = 53, kHelpOptionNext = 54, kHelpOptionPages = 55,
  kHelpOptionPrevious = 56, kHelpOptionUpdate = 57, kHelpInstalledOptions = 58, kHelpPrintOptions = 59,
  kHelpOptionBanner = 60,
};

// The title of a topic of the table ("" outside it).
const char* helpTopicTitle(int topic);

// Shows a topic. For now it only records it (lastHelpTopic) and traces its
// title; the help dialog takes its place.
void showHelpMessage(int topic);
int lastHelpTopic();

// One row of a page's look-up: the widget (through the variable that holds
// it, since the table is made before the widgets) and its topic.
struct HelpRow {
  Widget* widget;
  int topic;
};

// The topic of the row whose widget is `picked` (matched by identity),
// shown; false when no row holds it.
bool showHelpFor(const std::vector<HelpRow>& rows, Widget picked);
