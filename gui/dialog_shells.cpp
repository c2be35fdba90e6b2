// Dialog pop-up and pop-down, the close protocol and shell destruction.
#include "dialog_shells.h"

#include <Xm/DialogS.h>
#include <Xm/Protocols.h>
#include <Xm/Xm.h>

#include "program_exit.h"

namespace {

bool isDialogShell(Widget w) { return w && XmIsDialogShell(w); }

bool isApplicationOrTopLevel(Widget w) {
  return w && (XtIsApplicationShell(w) || XtIsTopLevelShell(w)) && !isDialogShell(w);
}

// The widget itself when it is a shell, else the nearest shell above it.
Widget enclosingShell(Widget w) {
  while (w && !XtIsShell(w)) w = XtParent(w);
  return w;
}

// The first managed-able child of a composite, or null.
Widget firstChild(Widget w) {
  WidgetList children = nullptr;
  Cardinal count = 0;
  XtVaGetValues(w, XmNchildren, &children, XmNnumChildren, &count, nullptr);
  return count > 0 ? children[0] : nullptr;
}

Atom deleteWindowAtom(Widget shell) {
  return XmInternAtom(XtDisplay(shell), const_cast<char*>("WM_DELETE_WINDOW"), False);
}

}  // namespace

bool isWidgetViewable(Widget widget) {
  if (!widget || !XtIsRealized(widget)) return false;
  XWindowAttributes attrs;
  if (!XGetWindowAttributes(XtDisplay(widget), XtWindow(widget), &attrs)) return false;
  return attrs.map_state == IsViewable;
}

void popupDialog(Widget widget, XtGrabKind grab) {
  if (!widget) return;
  Widget parent = XtParent(widget);
  if (isDialogShell(widget)) {
    Widget child = firstChild(widget);
    if (child) XtManageChild(child);
    else XtPopup(widget, grab);
  } else if (isDialogShell(parent)) {
    XtManageChild(widget);
  } else if (XtIsShell(widget)) {
    XtPopup(widget, grab);
  } else if (parent && XtIsShell(parent)) {
    XtPopup(parent, XtGrabNone);
  }
}

void popdownDialog(Widget widget) {
  if (!widget) return;
  Widget parent = XtParent(widget);
  if (isDialogShell(widget)) {
    Widget child = firstChild(widget);
    if (child) XtUnmanageChild(child);
  } else if (isDialogShell(parent)) {
    XtUnmanageChild(widget);
  } else if (XtIsShell(widget)) {
    XtPopdown(widget);
  } else if (parent && XtIsShell(parent)) {
    XtPopdown(parent);
  }
}

void addDeleteWindowHandler(Widget shell) {
  if (!shell || !XtIsVendorShell(shell)) return;
  XmAddWMProtocolCallback(shell, deleteWindowAtom(shell), wmProtocolsCB, nullptr);
}

void wmProtocolsCB(Widget widget, XtPointer, XtPointer callData) {
  auto* cbs = static_cast<XmAnyCallbackStruct*>(callData);
  if (!cbs || cbs->reason != XmCR_WM_PROTOCOLS) return;
  unsigned char response = XmDESTROY;
  XtVaGetValues(widget, XmNdeleteResponse, &response, nullptr);
  if (response == XmDESTROY) {
    if (XtIsApplicationShell(widget)) requestProgramExit(widget, 0);
    else destroyDialog(widget);
  } else if (response == XmUNMAP) {
    popdownDialog(widget);
  } else {
    destroyDialog(widget);
  }
}

void setWindowCloseHandler(Widget widget, XtCallbackProc callback, XtPointer data) {
  Widget shell = enclosingShell(widget);
  if (!shell || !XtIsVendorShell(shell)) return;
  XtVaSetValues(shell, XmNdeleteResponse, XmDO_NOTHING, nullptr);
  XmAddWMProtocolCallback(shell, deleteWindowAtom(shell), callback, data);
}

void destroyDialog(Widget widget) {
  if (!widget) return;
  Widget parent = XtParent(widget);
  if (!XtIsShell(widget) && parent && XtIsShell(parent)) XtDestroyWidget(parent);
  else XtDestroyWidget(widget);
}

void destroyDialogCB(Widget widget, XtPointer, XtPointer) { destroyDialog(widget); }

void destroyShellAndExit(Widget widget) {
  Widget shell = enclosingShell(widget);
  if (!shell) return;
  if (isApplicationOrTopLevel(shell)) {
    requestProgramExit(shell, 0);
    XtUnmapWidget(shell);
  } else {
    XtDestroyWidget(shell);
  }
}

PanelRecord* findPanelRecord(Widget) { return nullptr; }
