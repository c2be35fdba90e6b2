// The IPP form (see ipp_form.h).
#include "ipp_form.h"

#include <Xm/Form.h>
#include <Xm/LabelG.h>

#include <vector>

#include "callback_guard.h"
#include "connect_page.h"
#include "device_uri.h"
#include "help_topics.h"
#include "page_widgets.h"
#include "setup_state.h"
#include "text_fields.h"
#include "trace.h"

namespace {

constexpr size_t kHostFieldSize = 33;   // 32 characters
constexpr size_t kPathFieldSize = 181;  // 180 characters

void fieldEdited() {
  checkConnectPage();
  setup().updateReported = 0;
  noteConnectionEdit();
}

}  // namespace

IppFormWidgets& ippFormWidgets() {
  static IppFormWidgets widgets;
  return widgets;
}

Widget createIppPanel(Widget parent) {
  IppFormWidgets& w = ippFormWidgets();
  w.form = makePageWidget(xmFormWidgetClass, parent, "connectIppForm", fillForm(4));
  w.dataForm = makeFramedForm(w.form, "conIPPDataFrame", "conIPPDataForm", fillForm(8), &w.dataFrame);
  w.hostLabel = makeTextLabel(xmLabelGadgetClass, w.dataForm, "conIPPLbl", "Printer Hostname or IP Address:",
                              placeBelow(nullptr, 12));
  w.hostField = makeTextField(w.dataForm, "conIPPTxt", 32, ippHostChangedCB, true,
                              joinArgs(placeBelow(w.hostLabel, 4), {{XmNcolumns, 32}}));
  w.pathLabel = makeTextLabel(xmLabelGadgetClass, w.dataForm, "conIPPPortLbl", "IPP Printer:", placeBelow(w.hostField, 12));
  w.pathField = makeTextField(w.dataForm, "conIPPPortTxt", 180, nullptr, false,
                              joinArgs(placeBelow(w.pathLabel, 4), {{XmNcolumns, 32}}));
  writeGuardedText(w.pathField, setup().ippPath, &connectFieldGuard());
  XtAddCallback(w.pathField, XmNvalueChangedCallback, ippPathChangedCB, nullptr);
  return w.form;
}

void getIppHostText(Widget field) {
  Widget f = field ? field : ippFormWidgets().hostField;
  if (!f) return;
  SetupState& s = setup();
  s.ippHost = getTextValue(f);
  cutField(s.ippHost, kHostFieldSize);
}

void getIppPortText(Widget field) {
  Widget f = field ? field : ippFormWidgets().pathField;
  if (!f) return;
  SetupState& s = setup();
  s.ippPath = getTextValue(f);
  cutField(s.ippPath, kPathFieldSize);
}

void setIppIPText(Widget field) {
  const SetupState& s = setup();
  if (traceLevel() > 0) tracef("*** setIppIPText(%s).\n", s.ippHost.c_str());
  if (!s.ippHost.empty()) writeGuardedText(field ? field : ippFormWidgets().hostField, s.ippHost, &connectFieldGuard());
}

void setIppIPPort(Widget field) {
  const SetupState& s = setup();
  if (traceLevel() > 0) tracef("*** setIppIPPort(%s).\n", s.ippPath.c_str());
  if (!s.ippPath.empty()) writeGuardedText(field ? field : ippFormWidgets().pathField, s.ippPath, &connectFieldGuard());
}

void fillIppFields() {
  // Empty values are shown empty too: the fields never keep another queue's.
  const SetupState& s = setup();
  writeGuardedText(ippFormWidgets().hostField, s.ippHost, &connectFieldGuard());
  writeGuardedText(ippFormWidgets().pathField, s.ippPath, &connectFieldGuard());
}

std::string checkIPPString(const std::string& text) {
  if (traceLevel() > 0) tracef("checkIPPString(%s).\n", text.c_str());
  std::string shown = ippPathShellText(text);
  if (traceLevel() > 0) tracef("checkIPPString(%s).\n", shown.c_str());
  return shown;
}

void ippHostChangedCB(Widget w, XtPointer, XtPointer) {
  if (connectFieldGuard()) return;
  runGuarded(w, [w] {
    getIppHostText(w);
    fieldEdited();
  });
}

void ippPathChangedCB(Widget w, XtPointer, XtPointer) {
  if (connectFieldGuard()) return;
  runGuarded(w, [w] {
    getIppPortText(w);
    fieldEdited();
  });
}

bool ippFormHelp(Widget picked) {
  IppFormWidgets& w = ippFormWidgets();
  const std::vector<HelpRow> rows = {
      {&w.form, kHelpIppForm},      {&w.dataFrame, kHelpIppForm}, {&w.dataForm, kHelpIppForm},
      {&w.hostField, kHelpIppForm}, {&w.hostLabel, kHelpIppForm}, {&w.pathField, kHelpIppPath},
      {&w.pathLabel, kHelpIppPath},
  };
  return showHelpFor(rows, picked);
}
