// The USB form (see usb_form.h).
#include "usb_form.h"

#include <Xm/Form.h>
#include <Xm/Frame.h>
#include <Xm/List.h>
#include <Xm/ScrolledW.h>
#include <Xm/TextF.h>
#include <Xm/ToggleB.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "callback_guard.h"
#include "connect_page.h"
#include "help_topics.h"
#include "list_helpers.h"
#include "page_widgets.h"
#include "screen_values.h"
#include "setup_state.h"
#include "text_fields.h"
#include "trace.h"
#include "usb_discovery.h"
#include "widget_tips.h"

namespace {

constexpr int kRowPixels = 17;
constexpr int kMinListHeight = 280;

// A list row as the device's name: trailing blanks and line feeds cut.
std::string rowName(const std::string& row) {
  std::string name = row.substr(0, 256);
  size_t end = name.find_last_not_of(" \n");
  return end == std::string::npos ? std::string() : name.substr(0, end + 1);
}

void setManual(bool manual) {
  UsbFormWidgets& w = usbFormWidgets();
  setWidgetSensitive(w.field, manual);
  setWidgetSensitive(w.listWindow, !manual);
  setWidgetSensitive(w.list, !manual);
}

std::string stripUsbScheme(const std::string& text) {
  return text.compare(0, 6, "usb://") == 0 ? text.substr(6) : text;
}

}  // namespace

UsbFormWidgets& usbFormWidgets() {
  static UsbFormWidgets widgets;
  return widgets;
}

int usbListHeightFor(int rows) { return std::max(rows * kRowPixels, kMinListHeight); }

void setUsbListHeight(int rows) {
  Widget list = usbFormWidgets().list;
  if (list) XtVaSetValues(list, XmNheight, usbListHeightFor(rows), nullptr);
}

Widget createUsbPanel(Widget parent) {
  UsbFormWidgets& w = usbFormWidgets();
  SetupState& s = setup();
  w.form = makePageWidget(xmFormWidgetClass, parent, "contTypeFileBigForm", fillForm(4));
  w.innerForm = makeFramedForm(w.form, "contTypeUsbFrame", "contTypeUsbForm", fillForm(4), &w.frame);
  w.toggle = makeTextLabel(xmToggleButtonWidgetClass, w.innerForm, "usbSelectTB", "manual USB", placeBelow(nullptr, 4));
  XtAddCallback(w.toggle, XmNvalueChangedCallback, usbToggleCB, nullptr);
  addTip(w.toggle, "Activate for manual USB");
  w.field = makeTextField(w.innerForm, "usbDevTxt", 0, usbManualChangedCB, true,
                          joinArgs(placeBelow(nullptr, 4, w.toggle),
                                   {{XmNrightAttachment, XmATTACH_FORM}, {XmNrightOffset, 8}}));
  addTip(w.field, "Specify manual USB device");
  w.listWindow = makePageWidget(
      xmScrolledWindowWidgetClass, w.innerForm, "usbLstScrlWndw",
      joinArgs(placeBelow(w.field, 4), {{XmNrightAttachment, XmATTACH_FORM}, {XmNrightOffset, 8},
                                        {XmNbottomAttachment, XmATTACH_FORM}, {XmNbottomOffset, 4},
                                        {XmNscrollingPolicy, XmAPPLICATION_DEFINED}}));
  w.list = makePageWidget(xmListWidgetClass, w.listWindow, "usbScrlList",
                          {{XmNselectionPolicy, XmSINGLE_SELECT}, {XmNscrollBarDisplayPolicy, XmAS_NEEDED}});
  XtAddCallback(w.list, XmNsingleSelectionCallback, usbListCB, nullptr);
  XtAddCallback(w.list, XmNdefaultActionCallback, usbListCB, nullptr);
  addTip(w.list, "List of USB devices");
  updateUsbQBB(0);
  if (s.usbVariant == 1 && !s.usbDeviceId.empty()) writeGuardedText(w.field, s.usbDeviceId, &connectFieldGuard());
  else if (s.usbVariant == 0 && !s.usbDevicePath.empty()) writeGuardedText(w.field, s.usbDevicePath, &connectFieldGuard());
  else writeGuardedText(w.field, "", &connectFieldGuard());
  return w.form;
}

void fillUsbList() {
  SetupState& s = setup();
  Widget list = usbFormWidgets().list;
  s.usbDeviceCount = getUSBDevice();
  if (!list) return;
  XmListDeleteAllItems(list);
  if (s.usbDeviceCount <= 0) return;
  std::vector<std::string> rows;
  const PList* head = &s.usbDeviceList;
  for (const PList* p = head->next; p && p != head; p = p->next) {
    char row[300];
    std::snprintf(row, sizeof row, "%-64s", p->name.c_str());
    rows.push_back(row);
  }
  setUsbListHeight(static_cast<int>(rows.size()));
  listSetItems(list, rows);
}

void clearUsbForm() {
  UsbFormWidgets& w = usbFormWidgets();
  writeGuardedText(w.field, "", &connectFieldGuard());
  if (w.toggle) XmToggleButtonSetState(w.toggle, False, False);
  if (w.list) XmListDeselectAllItems(w.list);
  setManual(false);
}

void updateUsbQBB(int select) {
  SetupState& s = setup();
  UsbFormWidgets& w = usbFormWidgets();
  if (traceLevel() > 2) tracef("updateUsbQBB(%d)\n", select);
  fillUsbList();
  if (select && !s.usbDevicePath.empty()) setSelectedUSBItem(s.usbDevicePath.c_str());
  if (s.usbVariant == 1 && !s.usbDeviceId.empty()) {
    writeGuardedText(w.field, s.usbDeviceId, &connectFieldGuard());
    if (w.toggle) XmToggleButtonSetState(w.toggle, True, False);
    setManual(true);
  } else {
    writeGuardedText(w.field, "", &connectFieldGuard());
    s.usbVariant = 0;
    if (w.toggle) XmToggleButtonSetState(w.toggle, False, False);
    setManual(false);
  }
}

int setSelectedUSBItem(const char* text) {
  SetupState& s = setup();
  Widget list = usbFormWidgets().list;
  if (!text || !*text) return -1;
  std::string name = stripUsbScheme(text);
  int position = 0;
  const PList* head = &s.usbDeviceList;
  int index = 0;
  for (const PList* p = head->next; p && p != head; p = p->next) {
    ++index;
    if (p->name == name) {
      position = index;
      break;
    }
  }
  if (position > 0 && list) {
    XmListSelectPos(list, position, True);
    listCenterPosition(list, position);
    flushDisplay(list);
    if (traceLevel() > 2) tracef("setSelectedUSBItem(%s) is in PList:%s at pos=%d!\n", text, name.c_str(), position);
    return 1;
  }
  s.usbVariant = 1;
  s.usbDeviceId = name;
  cutField(s.usbDeviceId, kUsbFieldSize);
  return 0;
}

void readUsbManualText(Widget field) {
  Widget f = field ? field : usbFormWidgets().field;
  if (!f) return;
  SetupState& s = setup();
  s.usbDeviceId = getTextValue(f);
  cutField(s.usbDeviceId, kUsbFieldSize);
}

void showUsbManualText() {
  SetupState& s = setup();
  if (!s.usbDeviceId.empty()) {
    s.usbVariant = 1;
    writeGuardedText(usbFormWidgets().field, s.usbDeviceId, &connectFieldGuard());
  } else {
    writeGuardedText(usbFormWidgets().field, "", &connectFieldGuard());
  }
}

void getUsbSelection() {
  SetupState& s = setup();
  if (s.usbVariant == 1) {
    readUsbManualText(nullptr);
    return;
  }
  std::string row = listFirstSelectedText(usbFormWidgets().list);
  if (!row.empty()) {
    s.usbDevicePath = rowName(row);
    cutField(s.usbDevicePath, kUsbFieldSize);
  }
}

void setUsbManualText(Widget field, const char* text) {
  if (!text) return;
  SetupState& s = setup();
  writeGuardedText(field ? field : usbFormWidgets().field, text, &connectFieldGuard());
  s.usbDeviceId = text;
  cutField(s.usbDeviceId, kUsbFieldSize);
}

void usbToggleCB(Widget w, XtPointer, XtPointer) {
  runGuarded(w, [w] {
    SetupState& s = setup();
    bool on = XmToggleButtonGetState(w) != 0;
    s.usbVariant = on ? 1 : 0;
    setManual(on);
    if (on) {
      showUsbManualText();
    } else {
      // A fresh scan: the choice is made again from what it finds.
      fillUsbList();
      s.usbDevicePath.clear();
    }
    checkConnectPage();
    noteConnectionEdit();
  });
}

void usbListCB(Widget w, XtPointer, XtPointer callData) {
  runGuarded(w, [callData] {
    SetupState& s = setup();
    auto* cbs = static_cast<XmListCallbackStruct*>(callData);
    if (cbs && (cbs->reason == XmCR_SINGLE_SELECT || cbs->reason == XmCR_DEFAULT_ACTION)) {
      char* text = nullptr;
      if (cbs->item && XmStringGetLtoR(cbs->item, const_cast<char*>(XmFONTLIST_DEFAULT_TAG), &text)) {
        s.usbDevicePath = rowName(text);
        cutField(s.usbDevicePath, kUsbFieldSize);
      }
      XtFree(text);
    } else {
      std::fprintf(stderr, "NoGood Reason: %d\n", cbs ? cbs->reason : 0);
      s.usbDevicePath.clear();
    }
    checkConnectPage();
    if (!connectFieldGuard()) noteConnectionEdit();
  });
}

void usbManualChangedCB(Widget w, XtPointer, XtPointer) {
  if (connectFieldGuard()) return;
  runGuarded(w, [w] {
    readUsbManualText(w);
    checkConnectPage();
    setup().updateReported = 0;
    noteConnectionEdit();
  });
}

bool usbPageHelp(Widget picked) {
  UsbFormWidgets& w = usbFormWidgets();
  const std::vector<HelpRow> rows = {
      {&w.form, kHelpUsbForm},           {&w.frame, kHelpUsbForm},  {&w.innerForm, kHelpUsbForm},
      {&w.field, kHelpUsbManualName},    {&w.listWindow, kHelpUsbList}, {&w.list, kHelpUsbList},
      {&w.toggle, kHelpUsbToggle},
  };
  return showHelpFor(rows, picked);
}
