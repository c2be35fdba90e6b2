// Keeps exceptions out of the toolkit: a callback runs its body through
// runGuarded, which turns the back end's FatalExit into an exit request with
// its status, and any other exception into an exit request with status 1.
#pragma once

#include <X11/Intrinsic.h>

#include <functional>

// Runs `body`; returns false when it ended the program.
bool runGuarded(Widget widget, const std::function<void()>& body);
