// The page builders of the main window (see page_forms.h).
#include "page_forms.h"

#include <Xm/Form.h>

#include "colour_scheme.h"
#include "main_window.h"
#include "message_page.h"

namespace {

const char* const kPageNames[kPageSlotCount] = {
    "jarnQueFormF", "formParent", "ppdSelMainForm", "ppdSel2Form", "advOptMainForm", "jarnMessageBox",
};

PageBuilder builders[kPageSlotCount] = {nullptr, nullptr, nullptr, nullptr, nullptr, createMessagePage};

}  // namespace

void setPageBuilder(int slot, PageBuilder builder) {
  if (slot >= 0 && slot < kPageSlotCount) builders[slot] = builder;
}

const char* pageFormName(int slot) {
  return (slot >= 0 && slot < kPageSlotCount) ? kPageNames[slot] : "";
}

Widget createEmptyPageForm(Widget container, const char* name) {
  Arg args[8];
  Cardinal n = 0;
  XtSetArg(args[n], XmNtopAttachment, XmATTACH_FORM), ++n;
  XtSetArg(args[n], XmNbottomAttachment, XmATTACH_FORM), ++n;
  XtSetArg(args[n], XmNleftAttachment, XmATTACH_FORM), ++n;
  XtSetArg(args[n], XmNrightAttachment, XmATTACH_FORM), ++n;
  n = addColourArgs(args, n, container);
  return XmCreateForm(container, const_cast<char*>(name), args, n);
}

Widget buildPage(int slot, Widget container) {
  if (slot < 0 || slot >= kPageSlotCount) return nullptr;
  if (builders[slot]) return builders[slot](container);
  return createEmptyPageForm(container, kPageNames[slot]);
}
