// The remote LPD form (see lpd_form.h).
#include "lpd_form.h"

#include <Xm/Form.h>
#include <Xm/LabelG.h>

#include <string>
#include <vector>

#include "callback_guard.h"
#include "connect_page.h"
#include "help_topics.h"
#include "page_widgets.h"
#include "setup_state.h"
#include "text_fields.h"
#include "trace.h"
#include "widget_tips.h"

namespace {

const char* const kKindNames[6] = {"lp", "print", "direct", "hold", "spool", "Other"};
constexpr int kOtherKind = 6;
constexpr int kUnknownKind = 255;
constexpr int kRemoteQueueField = 14;

void chooseKind(int kind) {
  SetupState& s = setup();
  if (s.pagesLoading == 0 && s.queueManaged && s.queueExists &&
      (s.connectTypeChanged || s.lpdRemoteKind != kind)) {
    s.deviceUriChanged = 1;
  }
  s.lpdRemoteKind = kind;
  showRemoteQueueText(kind == kOtherKind ? "" : nullptr);
  // Other starts from the empty field: no standard name stands for it.
  if (kind == kOtherKind) readRemoteQueueText(nullptr);
  checkConnectPage();
  s.updateReported = 0;
}

void fieldEdited() {
  checkConnectPage();
  setup().updateReported = 0;
  noteConnectionEdit();
}

void setQueueFieldSensitive(bool on) {
  LpdFormWidgets& w = lpdFormWidgets();
  setWidgetSensitive(w.queueField, on);
  setWidgetSensitive(w.queueLabel, on);
}

}  // namespace

LpdFormWidgets& lpdFormWidgets() {
  static LpdFormWidgets widgets;
  return widgets;
}

Widget createLpdForm(Widget parent) {
  LpdFormWidgets& w = lpdFormWidgets();
  const char tip[] = "Queue name on the printer/copier.";
  w.form = makePageWidget(xmFormWidgetClass, parent, "connectLPDForm", fillForm(4));
  w.dataForm = makeFramedForm(w.form, "queDataFrame", "queDataForm", fillForm(4), &w.dataFrame);
  w.hostLabel = makeTextLabel(xmLabelGadgetClass, w.dataForm, "ipHostNmLbl", "Printer Hostname or IP Address:",
                              placeBelow(nullptr, 6));
  w.hostField = makeTextField(w.dataForm, "lpdIPAddressTxt", 32, lpdHostChangedCB, true,
                              joinArgs(placeBelow(w.hostLabel, 2), {{XmNcolumns, 32}}));
  addTip(w.hostField, "IP Address of the printer/copier.");
  const std::vector<MenuEntry> table = {
      {"remQName_lp", "lp", remoteKindLpCB},         {"remQName_print", "print", remoteKindPrintCB},
      {"remQName_direct", "direct", remoteKindDirectCB}, {"remQName_hold", "hold", remoteKindHoldCB},
      {"remQName_spool", "spool", remoteKindSpoolCB},   {"remQName_other", "Other", remoteKindOtherCB},
  };
  std::vector<Widget> entries;
  w.kindMenu = makeOptionMenu(w.dataForm, "remQMenu", "remQName", "Remote Queue (stndrd):", table, &entries,
                              placeBelow(w.hostField, 4));
  for (int i = 0; i < 6; ++i) w.kindEntries[i] = entries[static_cast<size_t>(i)];
  w.kindPulldown = XtParent(entries[0]);
  addTip(w.kindMenu, tip);
  w.queueLabel = makeTextLabel(xmLabelGadgetClass, w.dataForm, "remQLbl", "Remote Queue:", placeBelow(w.kindMenu, 12));
  // The remote queue's field beside its label, so that the form fits the
  // start-up window.
  w.queueField = makeTextField(w.dataForm, "lpdRemQTxt", kRemoteQueueField, remoteQueueChangedCB, false,
                               joinArgs(placeBelow(w.kindMenu, 4, w.queueLabel), {{XmNcolumns, 16}}));
  addTip(w.queueField, tip);
  return w.form;
}

void CheckRemQueName(const char* name) {
  if (!name) return;
  storeRemoteQueue(name);
  if (traceLevel() > 0) tracef("CheckRemQueName(%s) = %d\n", name, setup().lpdRemoteKind);
}

void setRemoteKindMenu(int kind) {
  LpdFormWidgets& w = lpdFormWidgets();
  if (kind >= 1 && kind <= 6) showMenuEntry(w.kindMenu, w.kindEntries[kind - 1]);
  if (kind != kOtherKind) remoteKindToName();
  showRemoteQueueText(setup().remoteQueue.c_str());
}

int remoteKindToName() {
  SetupState& s = setup();
  int kind = s.lpdRemoteKind;
  if (kind >= 1 && kind <= 5) s.remoteQueue = kKindNames[kind - 1];
  else if (kind == kUnknownKind) s.remoteQueue = "unknown";
  else if (kind == kOtherKind) readRemoteQueueText(nullptr);
  return kind;
}

void showRemoteQueueText(const char* text) {
  LpdFormWidgets& w = lpdFormWidgets();
  if (!text) {
    writeGuardedText(w.queueField, "", &connectFieldGuard());
    setQueueFieldSensitive(false);
  } else if (!*text) {
    setQueueFieldSensitive(true);
    writeGuardedText(w.queueField, "", &connectFieldGuard());
  } else {
    writeGuardedText(w.queueField, text, &connectFieldGuard());
    if (setup().lpdRemoteKind == kOtherKind) setQueueFieldSensitive(true);
  }
}

void setRemoteQueueText(Widget field, const char* text) {
  if (!text) return;
  writeGuardedText(field ? field : lpdFormWidgets().queueField, text, &connectFieldGuard());
}

void readRemoteQueueText(Widget field) {
  Widget f = field ? field : lpdFormWidgets().queueField;
  if (!f) return;
  SetupState& s = setup();
  s.remoteQueue = getTextValue(f);
  cutField(s.remoteQueue, kRemoteQueueBytes + 1);
}

void readLpdHostText(Widget field) {
  Widget f = field ? field : lpdFormWidgets().hostField;
  if (!f || connectFieldGuard()) return;
  SetupState& s = setup();
  s.lpdHost = getTextValue(f);
  cutField(s.lpdHost, kFormHostSize);
}

void showLpdHostText() {
  writeGuardedText(lpdFormWidgets().hostField, setup().lpdHost, &connectFieldGuard());
}

void fillLpdHostFromPrinterHost() {
  SetupState& s = setup();
  if (!s.printerHost.empty()) {
    s.lpdHost = s.printerHost;
    cutField(s.lpdHost, kFormHostSize);
  }
  writeGuardedText(lpdFormWidgets().hostField, s.printerHost.empty() ? std::string() : s.lpdHost,
                   &connectFieldGuard());
}

void remoteKindLpCB(Widget w, XtPointer, XtPointer) { runGuarded(w, [] { chooseKind(1); }); }
void remoteKindPrintCB(Widget w, XtPointer, XtPointer) { runGuarded(w, [] { chooseKind(2); }); }
void remoteKindDirectCB(Widget w, XtPointer, XtPointer) { runGuarded(w, [] { chooseKind(3); }); }
void remoteKindHoldCB(Widget w, XtPointer, XtPointer) { runGuarded(w, [] { chooseKind(4); }); }
void remoteKindSpoolCB(Widget w, XtPointer, XtPointer) { runGuarded(w, [] { chooseKind(5); }); }
void remoteKindOtherCB(Widget w, XtPointer, XtPointer) { runGuarded(w, [] { chooseKind(6); }); }

void remoteQueueChangedCB(Widget w, XtPointer, XtPointer) {
  if (connectFieldGuard()) return;
  runGuarded(w, [w] {
    readRemoteQueueText(w);
    fieldEdited();
  });
}

void lpdHostChangedCB(Widget w, XtPointer, XtPointer) {
  if (connectFieldGuard()) return;
  runGuarded(w, [w] {
    readLpdHostText(w);
    fieldEdited();
  });
}

bool lpdFormHelp(Widget picked) {
  LpdFormWidgets& w = lpdFormWidgets();
  std::vector<HelpRow> rows = {
      {&w.form, kHelpLpdForm},           {&w.dataFrame, kHelpConnectName},
      {&w.dataForm, kHelpConnectName},   {&w.hostLabel, kHelpRemoteHost},
      {&w.hostField, kHelpRemoteHost},   {&w.queueLabel, kHelpRemoteLpd},
      {&w.queueField, kHelpRemoteLpd},   {&w.kindPulldown, kHelpRemoteQueueName},
      {&w.kindMenu, kHelpRemoteQueueName},
  };
  for (Widget& e : w.kindEntries) rows.push_back({&e, kHelpRemoteQueueName});
  return showHelpFor(rows, picked);
}
