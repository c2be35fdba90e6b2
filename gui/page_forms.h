// The wizard's pages in the main window's container. Each page's own code
// registers the builder of its page; a page without one is an empty form
// under the page's name, so that the navigation always has its six widgets.
#pragma once

#include <X11/Intrinsic.h>

// Builds a page inside the container and returns its top widget (unmanaged).
using PageBuilder = Widget (*)(Widget container);

// Registers the builder of a page slot (see PageSlot in main_window.h).
void setPageBuilder(int slot, PageBuilder builder);

// The page's widget name: "jarnQueFormF", "formParent", "ppdSelMainForm",
// "ppdSel2Form", "advOptMainForm", "jarnMessageBox".
const char* pageFormName(int slot);

// Builds the page of the slot: its registered builder, else an empty form.
Widget buildPage(int slot, Widget container);

// An empty page form attached to all sides of the container.
Widget createEmptyPageForm(Widget container, const char* name);
