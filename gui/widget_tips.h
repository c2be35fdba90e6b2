// Tool tips of the program's widgets, and the Options menu's switch for them.
#pragma once

#include <X11/Intrinsic.h>

// Gives the widget a tip text (null: its own label).
void addTip(Widget widget, const char* text);

// Turns all tips on or off.
void setTipsEnabled(bool on);
bool tipsEnabled();
