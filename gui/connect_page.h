// The connection page (page 1): the connection-type menu and the six forms
// under one base form, of which one is shown; the page's validation, which
// makes Next sensitive; and the rule that marks an edited connection of an
// existing managed queue for sending to the spooler.
#pragma once

#include <X11/Intrinsic.h>

// The widgets of the page frame.
struct ConnectPageWidgets {
  Widget page = nullptr, previousButton = nullptr, previousLabel = nullptr, nextButton = nullptr,
         nextLabel = nullptr, bannerFrame = nullptr, banner = nullptr, smallFrame = nullptr,
         smallForm = nullptr, typeMenu = nullptr, typePulldown = nullptr, bigFrame = nullptr,
         baseForm = nullptr;
  Widget lpdEntry = nullptr, tcpEntry = nullptr, ippEntry = nullptr, usbEntry = nullptr,
         localEntry = nullptr, fileEntry = nullptr;
  Widget forms[8] = {};  // by connection type 2..7
};
ConnectPageWidgets& connectPageWidgets();

Widget createConnectPage(Widget parent);

// Shows the form of a type 2..7 (others leave the forms) and makes it the
// type in force; then the validation.
void showConnectForm(int type);
void setConnectTypeMenu(int type);
// Shows a loaded queue's connection: its form, menu entry and fields.
void fillConnectPage(int type);
// The page's validation: Next sensitive when the form in force is complete.
void checkConnectPage();
// True when a managed, existing queue's type would change.
bool checkConnectTypeChange(int type);

void setLPDTypeSensitive(int flag);
void setTcpEntrySensitive(int flag);
void setFileEntrySensitive(int flag);
void setConnectNextSensitive(bool on);
void setConnectPageNameLabel(const char* name);

// An edit of a connection field: when the pages are not being filled and
// the queue is managed and exists, its device URI is to be sent again.
void noteConnectionEdit();

// Set while the program writes a connection field: the fields' change
// callbacks then neither store nor mark anything.
bool& connectFieldGuard();

// Reads the form of connectType back into the state (getSetupInfo).
void readConnectPage();

void connectTypeLpdCB(Widget, XtPointer, XtPointer);
void connectTypeTcpCB(Widget, XtPointer, XtPointer);
void connectTypeIppCB(Widget, XtPointer, XtPointer);
void connectTypeUsbCB(Widget, XtPointer, XtPointer);
void connectTypeLocalCB(Widget, XtPointer, XtPointer);
void connectTypeFileCB(Widget, XtPointer, XtPointer);
void connectNextCB(Widget, XtPointer, XtPointer);
void connectPreviousCB(Widget, XtPointer, XtPointer);

bool connectPageHelp(Widget picked);
