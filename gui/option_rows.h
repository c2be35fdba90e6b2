// The rows of the option pages built from the open PPD: one option menu per
// ordinary option, a spin box for the mailbox, text fields for the secured
// password, user ID and user password, the group titles; the choice records
// kept beside them; and the look-ups from an option or a choice to its widget.
#pragma once

#include <X11/Intrinsic.h>
#include <cups/ppd.h>

#include "option_state.h"

// Builds the rows of the PPD in both panes (nothing when it has no groups),
// shows the defaults (unless keepOptions), colours the conflicts, and clears
// the changed flags. Old rows are destroyed first.
void createPPDWidgets(ppd_file_t* ppd);
// Destroys both panes with all their rows and empties the choice tables.
void deleteDynamicWidgets();

// The option menu shows its default choice; with a marked choice, that one.
void SetDefault(ppd_option_t* option);
// Every menu shows its marked choice (else its default); 0 without a PPD.
int RestoreDynamicData();

// The menu slot of an option (same keyword and number of choices), or null.
OptionMenuSlot* getOptionMenuWidget(const ppd_option_t* option);
// The button of a choice of an option (from the choice tables), or null.
Widget getWidgetFromOpion(ppd_file_t* ppd, const ppd_option_t* option, const ppd_choice_t* choice);

// The choice button's callback (client data: the ppd_choice_t).
void DynCallback(Widget button, XtPointer clientData, XtPointer callData);
// Sets every record's current flag from the marks, and changed where it flips.
void updateCurrentOptions();
// Clears the changed flags and the pending list.
void resetChangedOptions();
// Clears the four edit flags of the special fields.
void clearSpecialOptionFlags();

void mailboxSpinCB(Widget, XtPointer, XtPointer);
// Before the mailbox option is read for sending: a text the spin box cannot
// keep is put back to the box it keeps, which mailboxSpinCB then records, so
// that what is sent is what the spin box shows.
void commitMailboxSpin();
// Value-changed callback of the special text fields (client data: the kind).
void Passwords(Widget, XtPointer, XtPointer);
