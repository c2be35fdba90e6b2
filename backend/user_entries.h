// The per-user job entry table of the current printer (SetupState's
// entryTable and entryCount): sorting, deleting, clearing, and the rows the
// screens show for it. Secrets are only ever shown as stars.
#pragma once

#include <string>
#include <vector>

#include "user_entry.h"

// The entry table of the state, always 1024 entries long.
std::vector<UserEntry>& userEntryTable();

// Stars, as many as the larger of the text's length (counted up to 80) and
// `minimumWidth`, at most 63. A null text gives "".
std::string maskText(const char* text, int minimumWidth);
std::string maskText(const std::string& text, int minimumWidth);

// Order of the table: by login, byte-wise; an empty login (a free entry)
// after every named one; two empty logins are equal. <0, 0 or >0.
int compareUserEntries(const UserEntry& a, const UserEntry& b);

// Sorts the first `count` entries (the whole table when count < 1), then
// stores the number of leading named entries in entryCount and returns it.
int sortUserEntries(int count);

// Clears the entry at `index` (0..1023) and, with `resort`, sorts the whole
// table again. Does nothing when the table is empty. Returns 0.
int delMailboxListItem(int index, int resort);

// Empties the whole table; entryCount becomes 0. (The screen empties its
// list itself.)
void clearUserEntries();

// The rows of the user list, in table order: one row of 56 characters per
// named entry, or the single row "root" padded to 248 when the table is
// empty. The screen shows them with the font-list tag "TAGC".
std::vector<std::string> userEntryListRows();

// The height in pixels of the user list for `rows` rows: 17 per row, at
// least 512.
int userEntryListHeight(int rows);
