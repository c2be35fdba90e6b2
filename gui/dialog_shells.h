// Popping dialogs up and down, the window manager's close protocol, and
// destroying dialogs and the program's shells.
#pragma once

#include <X11/Intrinsic.h>

// True when the widget's window is mapped and viewable.
bool isWidgetViewable(Widget widget);

// Shows a dialog: a dialog shell manages its child (or pops up when it has
// none); a dialog shell's child is managed; a shell pops up with `grab`; a
// shell's child pops its parent up without a grab.
void popupDialog(Widget widget, XtGrabKind grab);

// Hides a dialog, the reverse of popupDialog.
void popdownDialog(Widget widget);

// Registers WM_DELETE_WINDOW on a vendor shell with wmProtocolsCB.
void addDeleteWindowHandler(Widget shell);

// WM_PROTOCOLS handler: by the shell's deleteResponse, destroy (an
// application shell ends the program with status 0), unmap, or do nothing.
void wmProtocolsCB(Widget widget, XtPointer clientData, XtPointer callData);

// Makes `callback` the WM_DELETE_WINDOW handler of the widget's enclosing
// dialog, application or top-level shell (whose own response is then none).
void setWindowCloseHandler(Widget widget, XtCallbackProc callback, XtPointer data);

// Destroys the widget, or its shell parent when the widget is not a shell.
void destroyDialog(Widget widget);
void destroyDialogCB(Widget widget, XtPointer clientData, XtPointer callData);

// Destroys the widget's shell; an application or top-level shell ends the
// program with status 0.
void destroyShellAndExit(Widget widget);

// The dialog registry: no record is ever registered, so look-ups find none.
struct PanelRecord;
PanelRecord* findPanelRecord(Widget widget);
