// The remote LPD form of the connection page (type 2): host and the name of
// the queue on the remote system, a standard name from a menu or typed.
#pragma once

#include <X11/Intrinsic.h>

struct LpdFormWidgets {
  Widget form = nullptr, dataFrame = nullptr, dataForm = nullptr, hostLabel = nullptr,
         hostField = nullptr, kindMenu = nullptr, kindPulldown = nullptr, queueLabel = nullptr,
         queueField = nullptr;
  Widget kindEntries[6] = {};  // lp, print, direct, hold, spool, Other
};
LpdFormWidgets& lpdFormWidgets();

Widget createLpdForm(Widget parent);
// Stores a remote queue name and its kind (null: nothing).
void CheckRemQueName(const char* name);
void setRemoteKindMenu(int kind);
int remoteKindToName();
void showRemoteQueueText(const char* text);
void setRemoteQueueText(Widget field, const char* text);
void readRemoteQueueText(Widget field);
void readLpdHostText(Widget field);
// The host field shows lpdHost (empty too).
void showLpdHostText();
void fillLpdHostFromPrinterHost();

void remoteKindLpCB(Widget, XtPointer, XtPointer);
void remoteKindPrintCB(Widget, XtPointer, XtPointer);
void remoteKindDirectCB(Widget, XtPointer, XtPointer);
void remoteKindHoldCB(Widget, XtPointer, XtPointer);
void remoteKindSpoolCB(Widget, XtPointer, XtPointer);
void remoteKindOtherCB(Widget, XtPointer, XtPointer);
void remoteQueueChangedCB(Widget, XtPointer, XtPointer);
void lpdHostChangedCB(Widget, XtPointer, XtPointer);

bool lpdFormHelp(Widget picked);
