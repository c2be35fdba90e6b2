// The fallback resources of application class "Jarn9_1": fonts, the tool-tip
// window's look, border widths of the container classes and the focus policy.
#pragma once

#include <X11/Intrinsic.h>

#include <string>
#include <vector>

// The resource lines, in order.
const std::vector<std::string>& fallbackResourceLines();

// The same as a NULL-terminated array for XtAppSetFallbackResources; it lives
// for the run.
String* fallbackResources();
