// Help topics of the pages and the look-up from a picked widget to its
// topic. Topics are named by their place in the program's topic table
// (counted from 0), not by title: several topics share a title ("NAME OF
// THE QUEUE" stands for the queue page's field and for the banner of every
// page).
#pragma once

#include <X11/Intrinsic.h>

#include <string>
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
  // The advanced page and the extra pane. The topic on deleting a user is the
  // table's second "BOX NUMBER".
  kHelpAdvUpdate = 61, kHelpAdvPrevious = 62, kHelpAdvNext = 63, kHelpWorkingTitle = 64,
  kHelpAdvancedMenu = 65, kHelpUserList = 66, kHelpSecuredButton = 67, kHelpBoxButton = 68,
  kHelpAccountingButton = 69, kHelpLoginName = 70, kHelpUserId = 71, kHelpPassword = 72,
  kHelpForceUserId = 73, kHelpForcePassword = 74, kHelpForceMailbox = 75, kHelpProofCopy = 76,
  kHelpAdvQueueName = 77, kHelpBoxNumber = 78, kHelpDeleteUser = 79, kHelpExtraConfiguration = 80,
  kHelpFrontBanner = 81, kHelpBackBanner = 82, kHelpErrorPolicy = 83,
};

// The main window's topics.
enum MainHelpTopic {
  kHelpQueuesMenu = 0, kHelpRowOfTabs = 1, kHelpOk = 2, kHelpHelpButton = 3, kHelpQuit = 4,
  kHelpEdition = 5, kHelpOptions = 6, kHelpAbout = 7, kHelpWorkingPanel = 8, kHelpCompanyLogo = 9,
  kHelpMainPanel = 10, kHelpQueueNamePage = 11, kHelpModelPage = 12, kHelpDeviceConfiguration = 13,
  kHelpPortPage = 14, kHelpAdvancedPages = 15, kHelpMessagesPage = 16, kHelpMainMenu = 17,
  kHelpFileMenu = 18,
  kHelpDefault = -1,  // no page claims the widget
};

// The title of a topic of the table ("" outside it).
const char* helpTopicTitle(int topic);
// The lines of a topic: its title, a line of dashes, then its text; the
// default topic's three lines for a value outside the table.
std::vector<std::string> helpTopicLines(int topic);
// The topic that a topic continues into, -1 for none.
int helpContinuation(int topic);

// Shows a topic in a new help dialog ("Help"); "More Help" shows its
// continuation, and is hidden when it has none.
void showHelpMessage(int topic);
// The topic last shown (-2 before any).
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
