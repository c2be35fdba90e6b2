// The About dialog: the program's name, the system it was built for, its
// version and whom to contact. It is built once and popped up on demand;
// the window manager's close only pops it down. An older variant with the
// developer's address instead of the maker's is kept, but nothing builds it.
#pragma once

#include <X11/Intrinsic.h>

// Builds the dialog "infoCompDialog" on `parent` (not shown) and returns it.
// The maker's logo is shown when the logo setting is on.
Widget createInfoCompDialog(Widget parent);
// The older variant "infoDialog".
Widget createInfoDialog(Widget parent);

// Pops the dialog up, building it on the application shell the first time.
void showAbout();

// The dialog built for the run (null before).
Widget aboutDialog();
