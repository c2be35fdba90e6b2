// The documents sub-forms of the advanced page: the mailbox documents list
// (2) and the secure-print document fields (3 and 4). They are built with
// the page and keep their callbacks, but no control shows them.
#include <Xm/Form.h>
#include <Xm/Frame.h>
#include <Xm/Label.h>
#include <Xm/LabelG.h>
#include <Xm/List.h>
#include <Xm/ScrolledW.h>
#include <Xm/ToggleB.h>

#include <cstdio>
#include <cstdlib>

#include "advanced_page.h"
#include "page_widgets.h"
#include "setup_state.h"
#include "text_fields.h"
#include "user_entries.h"
#include "widget_tips.h"
#include "xm_strings.h"

namespace {

const char kBoxTip[] = "Printing to a box with proofcopy.";

// Columns [from, from + count) of the row, blanks trimmed.
std::string column(const std::string& row, size_t from, size_t count) {
  std::string part = from < row.size() ? row.substr(from, count) : std::string();
  size_t first = part.find_first_not_of(' ');
  if (first == std::string::npos) return std::string();
  return part.substr(first, part.find_last_not_of(' ') - first + 1);
}

// A row "box  name secret flag" (box 0-3, name 6-13, secret 15-23, flag 25)
// into the table entry at the selected position.
void mailboxDocumentCB(Widget, XtPointer, XtPointer callData) {
  auto* cbs = static_cast<XmListCallbackStruct*>(callData);
  if (!cbs || !cbs->item || cbs->item_position < 1 || cbs->item_position > kMaxUserEntries) return;
  std::string row = xmStringFirstLine(cbs->item);
  UserEntry& e = userEntryTable()[static_cast<size_t>(cbs->item_position - 1)];
  int box = std::atoi(column(row, 0, 4).c_str());
  e.mailbox = box < 0 ? -1 : box;
  e.login = column(row, 6, 8);
  e.securePassword = column(row, 15, 9);
  e.proof = row.size() > 25 && row[25] == '1';
}

void documentNameCB(Widget w, XtPointer, XtPointer) { advancedState().documentName = getTextValue(w); }

void documentProofCB(Widget w, XtPointer, XtPointer) {
  advancedState().proofCopyState = XmToggleButtonGetState(w) ? 1 : 0;
}

void tracePartCB(Widget, XtPointer client, XtPointer) {
  std::fputs(static_cast<const char*>(client), stderr);
}

// One labelled field of the secure-print form below `top`.
Widget secureField(Widget form, const char* label, const char* name, int length, const char* trace, Widget top) {
  Widget l = makeTextLabel(xmLabelGadgetClass, form, label, "", placeBelow(top, 8));
  Widget f = makeTextField(form, name, length, nullptr, false, joinArgs(placeBelow(top, 8, l), {{XmNcolumns, length}}));
  XtAddCallback(f, XmNvalueChangedCallback, tracePartCB, const_cast<char*>(trace));
  return f;
}

}  // namespace

void createDocumentForms(Widget parent) {
  AdvancedPageWidgets& w = advancedPageWidgets();
  w.mailboxDocsForm = makePageWidget(xmFormWidgetClass, parent, "advOptBig2Form", fillForm(4));
  Widget header = makeTextLabel(xmLabelGadgetClass, w.mailboxDocsForm, "tableHeader2LBG", "Box#    Description",
                                placeBelow(nullptr, 4));
  setWidgetFont(header, "-Adobe-Helvetica-Bold-R-Normal--10-100-75-75-P-82-ISO8859-1");
  Widget listFrame = makePageWidget(xmFrameWidgetClass, w.mailboxDocsForm, "advOptScrlFrame2",
                                    joinArgs(placeBelow(header, 4), {{XmNrightAttachment, XmATTACH_FORM}}));
  Widget window = makePageWidget(xmScrolledWindowWidgetClass, listFrame, "advOptScrlWndw2",
                                 {{XmNscrollingPolicy, XmAUTOMATIC}, {XmNheight, 160}});
  w.mailboxDocsList = makePageWidget(xmListWidgetClass, window, "pMailBoxScrlList",
                                     {{XmNselectionPolicy, XmSINGLE_SELECT}});
  XtAddCallback(w.mailboxDocsList, XmNsingleSelectionCallback, mailboxDocumentCB, nullptr);
  addTip(w.mailboxDocsList, "List with box data.");
  Widget subForm = makeFramedForm(w.mailboxDocsForm, "advOptSub2Frame", "advOptSub2Form", placeBelow(listFrame, 8));
  Widget nameLabel = makeTextLabel(xmLabelWidgetClass, subForm, "advOptDocNameLbl", "Document name:", placeBelow(nullptr, 8));
  w.docNameField = makeTextField(subForm, "advOptDocNameTxt", 32, documentNameCB, false,
                                 joinArgs(placeBelow(nullptr, 8, nameLabel), {{XmNcolumns, 32}}));
  addTip(w.docNameField, "Document name (32 chars max).");
  w.docProofToggle = makeTextLabel(xmToggleButtonWidgetClass, subForm, "advOptProof2TBG", "proofCopy",
                                   placeBelow(w.docNameField, 8));
  XtAddCallback(w.docProofToggle, XmNvalueChangedCallback, documentProofCB, nullptr);
  addTip(w.docProofToggle, kBoxTip);

  w.secureDocsForm = makePageWidget(xmFormWidgetClass, parent, "advOptBig3Form", fillForm(4));
  Widget secure = makeFramedForm(w.secureDocsForm, "advOptSub3Frame", "advOptSub3Form", placeBelow(nullptr, 8));
  Widget doc = secureField(secure, "advOpt3DocNmLbl", "advOpt3DocNameTxt", 32, "DocumentName:\n", nullptr);
  Widget uid = secureField(secure, "advOpt3UIDLbl", "advOpt3UIDTxt", 7, "UserID:\n", doc);
  secureField(secure, "advOpt3PWLbl", "advOpt3PwdTxt", 7, "Password:\n", uid);
}
