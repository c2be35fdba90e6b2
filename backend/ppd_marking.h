// The program's own marking layer over libcups's PPD records: marks a
// choice (a choice name, a "Custom." value or a "{name=value ...}" list),
// couples InputSlot with ManualFeed, marks defaults, finds options and
// choices, and counts the violated UI constraints.
//
// libcups owns every string of its PPD records. Numbers of custom
// parameters are stored here directly; string values (string, passcode,
// password) are always handed to libcups to store, never set or freed here.
#pragma once

#include <cups/ppd.h>

#include <string>

// The option with that keyword (cut to 40 characters), or null: a sorted
// look-up in the PPD's option array, else a case-insensitive scan of the
// options of the top-level groups.
ppd_option_t* findPpdOption(ppd_file_t* ppd, const char* keyword);

// The option's choice with that name (any case), or null.
ppd_choice_t* findPpdChoice(ppd_option_t* option, const char* name);

// The choice's marked flag; 0 when the option or the choice is missing.
int isChoiceMarked(ppd_file_t* ppd, const char* keyword, const char* choiceName);

// The option's first marked choice, or null.
ppd_choice_t* findMarkedChoice(ppd_file_t* ppd, const char* keyword);

// Marks a choice of an option and returns the number of violated
// constraints; 0, with nothing changed, when an argument is null, the
// option is missing or the choice cannot be found.
int jnPpdMarkOption(ppd_file_t* ppd, const char* keyword, const char* choiceText);

// Recomputes every option's conflicted flag; returns the violated constraints.
int jnPpdConflicts(ppd_file_t* ppd);

// Marks the default choice of every option of the group and its subgroups,
// except "PageRegion".
void markGroupDefaults(ppd_file_t* ppd, ppd_group_t* group);

// markGroupDefaults for every top-level group.
void markPpdDefaults(ppd_file_t* ppd);

// The current values of an option's custom parameters, "Name=value" joined
// by blanks (points with two decimals); "" when it has no custom option.
std::string describeCustomValues(ppd_file_t* ppd, const char* keyword);
