// The CUPS extra options pane of the advanced page (page 5): the queue's
// front and back banner pages and its error policy as the printing system
// holds them. Choosing an entry changes nothing: the choices are not sent.
#pragma once

#include <X11/Intrinsic.h>

// The pane's widgets.
struct ExtraPaneWidgets {
  Widget window = nullptr, pane = nullptr, frontMenu = nullptr, frontPulldown = nullptr,
         backMenu = nullptr, backPulldown = nullptr, policyMenu = nullptr, policyPulldown = nullptr;
};
ExtraPaneWidgets& extraPaneWidgets();

// Builds the scrolled window with the three menus, fills them from the
// current queue and returns the window.
Widget createExtraConfPane(Widget parent);

// With `read`, banners and error policy from the printing system (a setting
// it does not report keeps its value); then the menus show the state.
void loadCupsOptions(int read);
// The banner menus show startBanner and endBanner; a code without an entry
// leaves its menu as it is.
void syncBannerMenus();
// The policy menu shows errorPolicy (1..3; others leave it).
void syncErrorPolicyMenu();
// Banners none, policy retry-job, nothing marked as changed; the menus
// follow once the pane exists.
void resetCupsOptions();
// Banners none and not changed.
void resetBannerFields();
// Sets the connection pages' loading flag, so that the apply that follows
// marks no device URI as changed. The caller restores it.
void suppressUriChange();

// Context help of the pane's widgets.
bool extraPaneHelp(Widget picked);
