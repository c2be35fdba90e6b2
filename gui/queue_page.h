// The queue page (page 0): the queue name, the queue type, Delete and Next;
// Next classifies the name and loads a managed queue's stored settings into
// every page. It also owns the queue-name banner that every page shows.
#pragma once

#include <X11/Intrinsic.h>

#include <string>

// The widgets of the page that others reach.
struct QueuePageWidgets {
  Widget page = nullptr, deleteButton = nullptr, deleteLabel = nullptr, nextButton = nullptr,
         nextLabel = nullptr, bannerFrame = nullptr, banner = nullptr, typeSmallForm = nullptr,
         typeMenu = nullptr, typePulldown = nullptr, typeBigFrame = nullptr, typeBaseForm = nullptr,
         typeBigForm = nullptr, nameFrame = nullptr, nameForm = nullptr, nameLabel = nullptr,
         nameField = nullptr, newNameHint = nullptr;
  Widget typeEntries[4] = {};  // PostScript, PCL, PXL, raw
};
QueuePageWidgets& queuePageWidgets();

// Builds the page in the main window's container.
Widget createQueuePage(Widget parent);
// Builds queTypeBigForm with the name label, field and hint.
Widget createQueueNameForm(Widget parent);
// A page's banner (QNameFrame with QNameLbl) at the top of `parent`;
// returns the label, the frame through `frame`.
Widget createQueueNameBanner(Widget parent, Widget* frame);

// Puts a name into the page (null: clears it); with readType the type menu
// shows the stored type of the queue.
void setQueueName(const char* name, int readType);
// Classifies and, once per typed name, loads the queue; flag 1 also shows
// page 1. Returns 0.
int goThroughPanel(int flag);
// 0 new queue, 1 a spooler queue this program does not manage, 2 managed.
int checkQueueName();
// The PRINTERTYPE of a managed queue's jarnConfig (0..10), or -1.
int readPrinterType(const std::string& name);

void resetQueueType();
void setQueueTypeMenu(int type);
void setNewQueueHint(bool on);
// Every page's banner shows the name centred, red in create mode.
void setQueueNameLabels(const std::string& name);
// Values read from jarnConfig that are set overwrite the working ones.
void copyConfigDirs();

// Callbacks of the page.
void queueNameChangedCB(Widget, XtPointer, XtPointer);
void queueNextCB(Widget, XtPointer, XtPointer);
void deleteQueueCB(Widget, XtPointer, XtPointer);
void queueTypePsCB(Widget, XtPointer, XtPointer);
void queueTypePclCB(Widget, XtPointer, XtPointer);
void queueTypePxlCB(Widget, XtPointer, XtPointer);
void queueTypeRawCB(Widget, XtPointer, XtPointer);

// Context help of the page's widgets.
bool queuePageHelp(Widget picked);
