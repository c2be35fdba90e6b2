// The page driver's view of the option pages: an option's choice button
// brought on the screen, the lines of every choice button, and the calls
// that open and close a PPD, send its options and show the chooser.
#pragma once

#include <X11/Intrinsic.h>

#include <string>
#include <vector>

// The button of a choice (any case) of the open PPD, its page and pane
// shown and its menu scrolled into view; null when there is none.
Widget choiceOnScreen(const std::string& keyword, const std::string& choice);
// The option menu of an option brought on the screen the same way.
Widget optionMenuOnScreen(const std::string& keyword);
// "KEYWORD CHOICE shown|- on|off" for every choice button in PPD order.
std::vector<std::string> optionLines();
// openPpd PATH, closePpd, updatePPDOption, showPpdFileBox, chooseModel NAME
// (the chooser's OK with NAME selected), listPPD: true when `name` is one of
// them, with its result.
bool callOptionFunction(const std::string& name, const std::string& arg, int* result);
// Scrolls the scrolled window holding the widget until it shows it; false
// when no scrolled window holds it.
bool scrollIntoView(Widget w);
// Writes a screenshot of the whole screen to a PNG file; false on failure.
bool writeScreenshot(const std::string& path);
