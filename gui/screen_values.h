// Values of the default screen that the windows share, and colour look-ups.
#pragma once

#include <X11/Intrinsic.h>

struct ScreenValues {
  Display* display = nullptr;
  Window root = 0;
  int width = 0;
  int height = 0;
  GC gc = nullptr;
  Cursor questionCursor = 0;
  XWindowAttributes rootAttributes{};
  Pixel white = 0;
  Pixel black = 0;
  Pixel darkGray = 0;
};

// The values set by initScreen().
const ScreenValues& screenValues();

// Fills the screen values from the display of `widget`: root window, size,
// default GC, the question-arrow cursor, the root's attributes, the white and
// black pixels and the pixel of "DarkGray" (black when that gives white).
void initScreen(Widget widget);

// A colour name through the toolkit's String-to-Pixel conversion; the white
// pixel of the widget's screen when it fails.
Pixel getColorPixel(Widget widget, const char* colourName);

// A named colour allocated in the default colormap; the black pixel on failure.
Pixel allocNamedPixel(const char* colourName, Widget widget);

// Flushes the display and lets the toolkit redraw what is pending.
void flushDisplay(Widget widget);

// Moves the keyboard focus to the widget.
void setKeyboardFocus(Widget widget);
