// The local-device form (see local_form.h).
#include "local_form.h"

#include <Xm/Form.h>
#include <Xm/LabelG.h>

#include <vector>

#include "callback_guard.h"
#include "connect_page.h"
#include "help_topics.h"
#include "page_widgets.h"
#include "setup_state.h"
#include "text_fields.h"

namespace {

// The paths of the menu's kinds 2..6.
const char* const kKindPaths[7] = {nullptr, nullptr, "/dev/lp0", "/dev/lp1", "/dev/ttya", "/dev/ttyb", "/dev/null"};

void chooseDevice(int kind) {
  SetupState& s = setup();
  s.localDeviceKind = kind;
  setLocalDeviceText(kind == 1 ? "" : nullptr);
  checkConnectPage();
  s.updateReported = 0;
  noteConnectionEdit();
}

void setFieldSensitive(bool on) {
  LocalFormWidgets& w = localFormWidgets();
  setWidgetSensitive(w.nameField, on);
  setWidgetSensitive(w.nameLabel, on);
}

}  // namespace

LocalFormWidgets& localFormWidgets() {
  static LocalFormWidgets widgets;
  return widgets;
}

Widget createLocalForm(Widget parent) {
  LocalFormWidgets& w = localFormWidgets();
  w.form = makePageWidget(xmFormWidgetClass, parent, "connectLocalForm", fillForm(4));
  w.dataForm = makeFramedForm(w.form, "connectLclDFrame", "connectLclDForm", fillForm(8), &w.dataFrame);
  const std::vector<MenuEntry> table = {
      {"conctLclDevMenu_other", "Other", localDevOtherCB},  {"conctLclDevMenu_par0", "/dev/lp0", localDevPar0CB},
      {"conctLclDevMenu_par1", "/dev/lp1", localDevPar1CB}, {"conctLclDevMenu_ser0", "/dev/ttya", localDevSer0CB},
      {"conctLclDevMenu_ser1", "/dev/ttyb", localDevSer1CB}, {"conctLclDevMenu_logical", "/dev/null", localDevNullCB},
  };
  std::vector<Widget> entries;
  w.deviceMenu = makeOptionMenu(w.dataForm, "connectLocalDevice", "conctLclDevMenu", "Device:", table, &entries,
                                placeBelow(nullptr, 12));
  for (int i = 0; i < 6; ++i) w.entries[i] = entries[static_cast<size_t>(i)];
  w.devicePulldown = XtParent(entries[0]);
  w.nameLabel = makeTextLabel(xmLabelGadgetClass, w.dataForm, "connectDevNameLbl", "Device (Other):",
                              placeBelow(w.deviceMenu, 12));
  w.nameField = makeTextField(w.dataForm, "connectDevNameTxt", 0, localDeviceChangedCB, false,
                              joinArgs(placeBelow(w.nameLabel, 4), {{XmNcolumns, 32}}));
  setLocalDeviceText("");
  setLocalDeviceMenu(setup().localDeviceKind);
  return w.form;
}

void setLocalDevice(const std::string& path) {
  storeLocalDevice(path);
  setLocalDeviceMenu(setup().localDeviceKind);
}

void setLocalDeviceMenu(int kind) {
  LocalFormWidgets& w = localFormWidgets();
  if (kind >= 2 && kind <= 6) {
    showMenuEntry(w.deviceMenu, w.entries[kind - 1]);
    setLocalDeviceText(nullptr);
  } else {
    showMenuEntry(w.deviceMenu, w.entries[0]);
    setFieldSensitive(true);
    setLocalDeviceText(setup().deviceName.c_str());
  }
}

void setLocalDeviceText(const char* text) {
  LocalFormWidgets& w = localFormWidgets();
  if (!text) {
    writeGuardedText(w.nameField, "", &connectFieldGuard());
    setFieldSensitive(false);
  } else if (!*text) {
    setFieldSensitive(true);
    writeGuardedText(w.nameField, "", &connectFieldGuard());
  } else {
    writeGuardedText(w.nameField, text, &connectFieldGuard());
  }
}

void readLocalDeviceText(Widget field) {
  Widget f = field ? field : localFormWidgets().nameField;
  if (!f) return;
  SetupState& s = setup();
  s.deviceName = getTextValue(f);
  cutField(s.deviceName, kPathSize);
}

void readLocalDevice() {
  SetupState& s = setup();
  int kind = s.localDeviceKind;
  if (kind == 1) readLocalDeviceText(nullptr);
  else if (kind >= 2 && kind <= 6) s.deviceName = kKindPaths[kind];
}

void localDevOtherCB(Widget w, XtPointer, XtPointer) { runGuarded(w, [] { chooseDevice(1); }); }
void localDevPar0CB(Widget w, XtPointer, XtPointer) { runGuarded(w, [] { chooseDevice(2); }); }
void localDevPar1CB(Widget w, XtPointer, XtPointer) { runGuarded(w, [] { chooseDevice(3); }); }
void localDevSer0CB(Widget w, XtPointer, XtPointer) { runGuarded(w, [] { chooseDevice(4); }); }
void localDevSer1CB(Widget w, XtPointer, XtPointer) { runGuarded(w, [] { chooseDevice(5); }); }
void localDevNullCB(Widget w, XtPointer, XtPointer) { runGuarded(w, [] { chooseDevice(6); }); }

void localDeviceChangedCB(Widget w, XtPointer, XtPointer) {
  if (connectFieldGuard()) return;
  runGuarded(w, [w] {
    readLocalDeviceText(w);
    checkConnectPage();
    setup().updateReported = 0;
    noteConnectionEdit();
  });
}

bool localFormHelp(Widget picked) {
  LocalFormWidgets& w = localFormWidgets();
  std::vector<HelpRow> rows = {
      {&w.form, kHelpLocalForm},         {&w.dataFrame, kHelpLocalForm},  {&w.dataForm, kHelpLocalForm},
      {&w.nameField, kHelpDeviceName},   {&w.deviceMenu, kHelpDeviceList}, {&w.devicePulldown, kHelpDeviceList},
      {&w.nameLabel, kHelpDeviceList},
  };
  for (Widget& e : w.entries) rows.push_back({&e, kHelpDeviceList});
  return showHelpFor(rows, picked);
}
