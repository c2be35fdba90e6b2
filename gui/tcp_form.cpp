// The raw TCP/IP form (see tcp_form.h).
#include "tcp_form.h"

#include <Xm/Form.h>
#include <Xm/LabelG.h>

#include <string>
#include <vector>

#include "callback_guard.h"
#include "connect_page.h"
#include "help_topics.h"
#include "page_widgets.h"
#include "setup_state.h"
#include "string_helpers.h"
#include "text_fields.h"

namespace {

constexpr int kDefaultPort = 9100;
constexpr long kMaxPort = 65535;
constexpr size_t kHostFieldSize = 33;  // 32 characters

void fieldEdited() {
  checkConnectPage();
  setup().updateReported = 0;
  noteConnectionEdit();
}

}  // namespace

TcpFormWidgets& tcpFormWidgets() {
  static TcpFormWidgets widgets;
  return widgets;
}

Widget createTcpForm(Widget parent) {
  TcpFormWidgets& w = tcpFormWidgets();
  w.form = makePageWidget(xmFormWidgetClass, parent, "connectTCP9100Form", fillForm(4));
  w.dataForm = makeFramedForm(w.form, "con9100DataFrame", "con9100DataForm", fillForm(8), &w.dataFrame);
  w.hostLabel = makeTextLabel(xmLabelGadgetClass, w.dataForm, "con9100IPLbl", "Printer Hostname or IP Address:",
                              placeBelow(nullptr, 12));
  w.hostField = makeTextField(w.dataForm, "con9100IPTxt", 32, tcpHostChangedCB, true,
                              joinArgs(placeBelow(w.hostLabel, 4), {{XmNcolumns, 32}}));
  w.portLabel = makeTextLabel(xmLabelGadgetClass, w.dataForm, "con9100PortLbl", "Port :", placeBelow(w.hostField, 12));
  w.portField = makeTextField(w.dataForm, "con9100PortTxt", 14, nullptr, false,
                              joinArgs(placeBelow(w.portLabel, 4), {{XmNcolumns, 16}}));
  writeGuardedText(w.portField, "9100", &connectFieldGuard());
  XtAddCallback(w.portField, XmNvalueChangedCallback, tcpPortChangedCB, nullptr);
  return w.form;
}

void readTcpHostText(Widget field) {
  Widget f = field ? field : tcpFormWidgets().hostField;
  if (!f) return;
  SetupState& s = setup();
  s.tcpHost = getTextValue(f);
  cutField(s.tcpHost, kHostFieldSize);
}

void readTcpPortText(Widget field) {
  Widget f = field ? field : tcpFormWidgets().portField;
  if (!f) return;
  int port = 0;
  if (leadingDecimalInRange(getTextValue(f), 1, kMaxPort, &port)) setup().tcpPort = port;
}

void setTcpHostText(Widget field) {
  const SetupState& s = setup();
  if (!s.tcpHost.empty()) writeGuardedText(field ? field : tcpFormWidgets().hostField, s.tcpHost, &connectFieldGuard());
}

void setTcpPortText(Widget field) {
  SetupState& s = setup();
  if (s.tcpPort <= 0) s.tcpPort = kDefaultPort;
  writeGuardedText(field ? field : tcpFormWidgets().portField, std::to_string(s.tcpPort), &connectFieldGuard());
}

void fillTcpFields() {
  // An empty host is shown empty too: the field never keeps another queue's.
  writeGuardedText(tcpFormWidgets().hostField, setup().tcpHost, &connectFieldGuard());
  setTcpPortText(nullptr);
}

void tcpHostChangedCB(Widget w, XtPointer, XtPointer) {
  if (connectFieldGuard()) return;
  runGuarded(w, [w] {
    readTcpHostText(w);
    fieldEdited();
  });
}

void tcpPortChangedCB(Widget w, XtPointer, XtPointer) {
  if (connectFieldGuard()) return;
  runGuarded(w, [w] {
    readTcpPortText(w);
    fieldEdited();
  });
}

bool tcpFormHelp(Widget picked) {
  TcpFormWidgets& w = tcpFormWidgets();
  const std::vector<HelpRow> rows = {
      {&w.form, kHelpTcpForm},      {&w.dataFrame, kHelpTcpForm},  {&w.dataForm, kHelpTcpForm},
      {&w.hostField, kHelpTcpHost}, {&w.hostLabel, kHelpTcpHost},  {&w.portField, kHelpTcpPort},
      {&w.portLabel, kHelpTcpPort},
  };
  return showHelpFor(rows, picked);
}
