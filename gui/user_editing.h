// The editing behind the advanced page's user sub-form: the work entry that
// the fields edit, reading a selected list row back, the checks of Update,
// the store and delete operations on the entry table, and loading the list
// from the mailbox file. Every store writes the file through
// writeMailBoxFile; nothing is stored when a check fails.
#pragma once

#include <X11/Intrinsic.h>

#include <string>

#include "user_entry.h"

// Index of the first table entry whose login is `login` (all 1024 looked
// at), -1 when none.
int findUserByLogin(const std::string& login);

// Keeps the login and clears the rest of the entry (box -1); the box, proof,
// user-ID, password and Force widgets follow, and both shadows are emptied.
void clearUserRecord(UserEntry* entry);

// Copies src over dst: flag 1 clears dst first; texts are copied when not
// empty, and with flag 2 an empty text empties dst's; numbers and flags
// always.
void copyUserRecord(UserEntry* dst, const UserEntry& src, int flags);

// Reads the fields of the modes in `flags` (1 box, 2 secured, 4 accounting;
// negative: all three) into the work entry.
void updateWorkBlob(int flags);

// The mode to apply to the work entry, or -1 when data are missing;
// `exists` tells whether its login is in the table.
int getUserUpdateAction(const UserEntry& work, int* exists, int mode);

// Update of the page: on the user sub-form stores the work entry (ask:
// messages, else bells); on the extra sub-form applies the queue setup.
void applyUserEntry(int ask);

// Clears table entry `index`, sorts, refills the list and writes the file.
void deleteUserEntry(int index);

// Fills the list from the mailbox file at `path` ("" the current printer's).
// Refuses, returning 0, when mailbox support is off or fewer than one box
// is allowed; with `report` it then says so (code 1). 1 when users were
// read, else 0.
int loadUserList(Widget list, const std::string& path, bool report);
// Empties the table and the list (the "root" row).
void reloadUserList();
// Refills the page's list from the table.
void fillUserEntryList(Widget list);

// Parses a list row into `entry` (secrets from the table of that login when
// withSecrets). False when the row is refused (no login).
bool SelectLogin(const std::string& row, UserEntry* entry, bool withSecrets);

// True while a list selection fills the fields.
bool selectionInProgress();

// Writes the work entry's login into both login fields; outside a list
// selection that drops the selection, as an edit of the field does.
void showWorkLogin();

// Callbacks of the list, the login fields, the counter and the toggles.
void userListSelectCB(Widget, XtPointer, XtPointer);
void deleteUserCB(Widget, XtPointer, XtPointer);
void loginNameCB(Widget, XtPointer, XtPointer);
void loginNameBoxCB(Widget, XtPointer, XtPointer);
void boxCounterCB(Widget, XtPointer, XtPointer);
void proofCopyToggleCB(Widget, XtPointer, XtPointer);
void saveMailboxToggleCB(Widget, XtPointer, XtPointer);
void savePasswordToggleCB(Widget, XtPointer, XtPointer);
void saveUserIdToggleCB(Widget, XtPointer, XtPointer);

// The texts of the checks.
inline constexpr char kMissingDataTitle[] = "Missing Data";
inline constexpr char kTableFullTitle[] = "Mailbox File";
