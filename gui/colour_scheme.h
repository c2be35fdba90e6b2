// The colour schemes of colourMode that every window of the program applies
// to the widgets it makes: 1 black on gray, 2 black on white, 3 white on
// gray; any other value leaves the colours to the resources.
#pragma once

#include <X11/Intrinsic.h>

// Adds the foreground and background of the scheme to an argument list
// (nothing for a value without a scheme); returns the new count.
Cardinal addColourArgs(Arg* args, Cardinal n, Widget reference);

// Sets the scheme's colours on an existing widget.
void applyColourScheme(Widget widget);

// True when colourMode names one of the three schemes.
bool hasColourScheme();

// The background the program's widgets get: the scheme's, or without a
// scheme the reference widget's own (from the resources).
Pixel schemeBackground(Widget reference);
