// The help dialog that showHelpMessage (help_topics.h) makes for each request.
#pragma once

#include <X11/Intrinsic.h>

// The message box of the help dialog made last, while it exists (else null).
Widget lastHelpDialog();
