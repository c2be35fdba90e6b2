// The main window's menu bar: File (Create, Save, Quit), Edit (one entry per
// tab), Options (queue filter, test pages, tool tips, Reset) and About.
#pragma once

#include <X11/Intrinsic.h>

// Builds "mainMenu" in the form and records its entries in mainWidgets().
Widget createMainMenus(Widget form);

// Callbacks.
void createToggleCB(Widget widget, XtPointer clientData, XtPointer callData);
void saveMenuCB(Widget widget, XtPointer clientData, XtPointer callData);
void quitMenuCB(Widget widget, XtPointer clientData, XtPointer callData);
void testPrintCB(Widget widget, XtPointer clientData, XtPointer callData);
void tipToggleCB(Widget widget, XtPointer clientData, XtPointer callData);
void resetMenuCB(Widget widget, XtPointer clientData, XtPointer callData);
void aboutMenuCB(Widget widget, XtPointer clientData, XtPointer callData);
// The window manager's close and the destruction of the main form.
void exitCB(Widget widget, XtPointer clientData, XtPointer callData);

// The Create toggle's work: createMode on or off.
void setCreateMode(bool on);
// The Reset entry's work.
void resetProgram();
