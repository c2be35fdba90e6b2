// The PPD's constraints on the option pages: the choice buttons that a
// marked choice excludes are greyed, option menus are coloured by conflict,
// and the conflict box shows the last conflict of a freshly built page. No
// marked choice is ever changed here.
#pragma once

#include <cups/ppd.h>

// The sensitivity of every choice button of the print table, and of the
// installable table too when installableToo.
void setAllChoicesSensitive(int installableToo, bool on);
// The constraint walk over the marked choices (only the installable group
// when installableOnly); greys the constrained choices when setSensitive.
// -1 without a PPD, else 1 when a conflict was found, 0 otherwise.
int Constraints(ppd_file_t* ppd, int installableOnly, int setSensitive);
// 1 when the marked choice is paired by a constraint with a marked choice of
// another option (returned through otherOption), 0 when not, -1 without a PPD.
int isChoiceInConflict(ppd_file_t* ppd, ppd_choice_t* choice, ppd_option_t** otherOption);
// Colours and sensitises every choice of a freshly built page and shows the
// conflict box for a marked or default choice in conflict.
void setDynamicData();
// Re-colours and re-sensitises the buttons of one option.
void refreshOptionButtons(ppd_option_t* option, int testConflicts);
