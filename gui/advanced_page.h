// The advanced page (pages 5 and 6 of the main window, one form): the
// per-user job settings of the current queue on the user sub-form, in one of
// three modes (box 1, secured 2, accounting 4), and the CUPS extra options
// on the extra sub-form. The documents sub-forms (2 to 4) are built with the
// page but nothing shows them.
#pragma once

#include <X11/Intrinsic.h>

#include <string>

// The page's widgets, for the page's own modules.
struct AdvancedPageWidgets {
  Widget page = nullptr, previousButton = nullptr, previousLabel = nullptr, nextButton = nullptr,
         nextLabel = nullptr, updateButton = nullptr, updateLabel = nullptr, deleteButton = nullptr,
         deleteLabel = nullptr, bannerFrame = nullptr, banner = nullptr, smallForm = nullptr,
         titleLabel = nullptr, basisForm = nullptr;
  // The user sub-form.
  Widget userForm = nullptr, listWindow = nullptr, userList = nullptr, tableHeader = nullptr,
         boxModeButton = nullptr, securedModeButton = nullptr, accountModeButton = nullptr,
         secretForm = nullptr, loginField = nullptr, userIdField = nullptr, passwordField = nullptr,
         userLabel = nullptr, idLabel = nullptr, passwordLabel = nullptr, saveIdToggle = nullptr,
         savePasswordToggle = nullptr, boxForm = nullptr, boxLoginField = nullptr,
         boxUserLabel = nullptr, boxNumberLabel = nullptr, counter = nullptr, proofToggle = nullptr,
         saveMailboxToggle = nullptr;
  // The documents sub-forms and the extra sub-form.
  Widget mailboxDocsForm = nullptr, mailboxDocsList = nullptr, docNameField = nullptr,
         docProofToggle = nullptr, secureDocsForm = nullptr, extraForm = nullptr;
};
AdvancedPageWidgets& advancedPageWidgets();

// The page's own state for the run.
struct AdvancedState {
  int userMode = 1;          // 1 box, 2 secured, 4 accounting
  int advSubForm = 0;        // 1 user, 2 mailbox documents, 3/4 secure-print documents, 5 extra
  int deleteUserIndex = -1;  // the table index a pending delete question names
  int forcePasswordState = 0, forceUserIdState = 0, forceMailboxState = 0, proofCopyState = 0;
  bool modeChosen = false;   // a mode was chosen since the page was built
  std::string documentName;  // the mailbox documents' document name
};
AdvancedState& advancedState();

// Builds the page with its four sub-forms and shows the extra sub-form.
Widget createAdvOptPage(Widget parent);

// Shows sub-form 1, 2, 3, 4 or 5 alone and sets the title; any other value
// hides all four. Stores the value in advSubForm.
void showAdvOptForm(int form);
// The title for a kind: 2 box, 3 secured, 4 accounting, 5 extra, else stars.
void setAdvOptTitle(int kind);
// Fills the mode's sub-form from the work entry and makes the mode current.
void setAdvOptMode(int mode);
// Box is sensitive unless mode is 2, secured unless mode is 1.
void setModeButtonsSensitive(int mode);
// Page 6 (true): Next, with Update and Delete; page 5: "Update" alone.
void setAdvOptNextLabel(bool advanced);
// The user list's height: 17 pixels a row, at least 512 (null: the page's list).
void setUserListHeight(Widget list, int rows);

// Builds the documents sub-forms (2: mailbox documents; 3 and 4: secure print).
void createDocumentForms(Widget parent);

// Context help of the page's widgets.
bool advOptPageHelp(Widget picked);

// Callbacks of the page's buttons.
void boxModeCB(Widget, XtPointer, XtPointer);
void securedModeCB(Widget, XtPointer, XtPointer);
void accountingModeCB(Widget, XtPointer, XtPointer);
void advOptPreviousCB(Widget, XtPointer, XtPointer);
void advOptNextCB(Widget, XtPointer, XtPointer);
void advOptUpdateCB(Widget, XtPointer, XtPointer);
