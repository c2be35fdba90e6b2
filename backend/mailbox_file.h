// The mailbox file "JarnMailBoxFile": the current printer's job entry table
// as text, one line per user, in the printer's "root" directory. The print
// filter reads it at job time (running as lp), so it is replaced atomically
// and readable by the group lp.
#pragma once

#include <functional>
#include <string>

#include "user_entry.h"

// The file of the current printer: userFullDir "/root/JarnMailBoxFile";
// "" when there is no current printer directory.
std::string mailboxFilePath();

// True when the file can carry the entry's texts: each at most 23
// characters, none holding a blank or a control character.
bool mailboxCanStore(const UserEntry& entry);

// The notice the advanced page shows when the printer has no mailbox support.
inline constexpr char kNoMailboxFeatureTitle[] = "Configuration Problem";
inline constexpr char kNoMailboxFeatureText[] = "No mailbox feature\nimplmented. Sorry";

// One entry as its line of the file (with its line feed).
std::string formatMailBoxLine(const UserEntry& entry);

// Reads one line into `entry` (a mailbox number above `mailboxMax` is not
// taken); true when the line makes an entry.
bool parseMailBoxLine(const std::string& line, int mailboxMax, UserEntry* entry);

// Writes the entry table to `path` (the current printer's file when empty),
// mode 0640, group lp where that group exists, under the file's record lock,
// and stores the summary code in mailboxSummary. Returns 1 when written; 0
// when there is no file to write (no printer directory: nothing is written
// or said), when an entry holds a value that the file cannot carry (a blank
// or control character, or more than 23 characters), or when the file
// cannot be locked or written (both said with code 11). On failure the old
// file stays as it was and mailboxSummary is emptied. At a dry run nothing
// is written (the trace names the file) and the result is 1.
int writeMailBoxFile(const std::string& path = std::string());

// Reads `path` (the current printer's file when empty) into the entry table,
// which is emptied first; returns the number of entries read (0 when the file
// cannot be opened, or silently when there is no printer directory) and
// stores it in entryCount. At most 1024 entries are
// read; each value is cut to 23 characters.
int readMailBoxFile(const std::string& path = std::string());

// One change of the file as it is now, so that two programs editing it in
// turn lose nothing: under the file's record lock the file, when it exists,
// is read into the entry table (a table not yet written anywhere is kept
// when there is no file), `change` edits the table, and the table is sorted
// and written; when that fails, the table is the file again. Returns
// writeMailBoxFile's result; 0 with nothing written when `change` returns
// false or the write fails (said with code 11: a lock that cannot be had
// fails the write). Without a printer directory only `change` and the sort
// are done.
int changeMailBoxFile(const std::function<bool()>& change, const std::string& path = std::string());
