// Pages 3 and 4 of the wizard: the installable options and the printer and
// document options of the queue's PPD, each in a scrolled pane, with the
// pages' Previous, Next and Update buttons and their context help. The rows
// inside the panes are built per PPD (option_rows.h).
#pragma once

#include <X11/Intrinsic.h>

#include <string>

struct OptionPageWidgets {
  Widget page = nullptr, previousButton = nullptr, previousLabel = nullptr, nextButton = nullptr,
         nextLabel = nullptr, updateButton = nullptr, updateLabel = nullptr, bannerFrame = nullptr,
         banner = nullptr, baseFrame = nullptr, baseForm = nullptr, instForm = nullptr,
         instWindow = nullptr, configForm = nullptr, configWindow = nullptr;
};
OptionPageWidgets& optionPageWidgets();

// Builds "ppdSel2Form" (with the rows when a PPD is already open).
Widget createPpdConfigPage(Widget parent);

// The Update button: "Update" (existing 1) or "Create" (0), or the Add or
// OK image; the caption beside it, red in create mode.
void setUpdateButtonMode(int existing);
void setUpdateLabelText(const std::string& text);
void setPpdCnfNextSensitive(bool on);
void setPpdCnfUpdateSensitive(bool on);
// Shows pane 1 (installable options) or 2 (print options); others: nothing.
void showOptionPane(int pane);

void ppdCnfUpdateCB(Widget, XtPointer, XtPointer);
void ppdCnfPrevCB(Widget, XtPointer, XtPointer);
void ppdCnfNextCB(Widget, XtPointer, XtPointer);

// Context help of the pages' own widgets; false for any other widget.
bool ppdPageHelp(Widget picked);
