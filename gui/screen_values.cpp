// The default screen's values and colour look-ups.
#include "screen_values.h"

#include <X11/cursorfont.h>
#include <Xm/Xm.h>

#include <cstring>

namespace {
ScreenValues values;
constexpr unsigned kQuestionArrowCursor = 92;  // XC_question_arrow
}  // namespace

const ScreenValues& screenValues() { return values; }

void initScreen(Widget widget) {
  Display* dpy = XtDisplay(widget);
  int screen = DefaultScreen(dpy);
  values.display = dpy;
  values.root = RootWindow(dpy, screen);
  values.width = DisplayWidth(dpy, screen);
  values.height = DisplayHeight(dpy, screen);
  values.gc = DefaultGC(dpy, screen);
  values.questionCursor = XCreateFontCursor(dpy, kQuestionArrowCursor);
  XGetWindowAttributes(dpy, values.root, &values.rootAttributes);
  values.white = WhitePixel(dpy, screen);
  values.black = BlackPixel(dpy, screen);
  Pixel dark = getColorPixel(widget, "DarkGray");
  values.darkGray = (dark == values.white) ? values.black : dark;
}

Pixel getColorPixel(Widget widget, const char* colourName) {
  XrmValue from, to;
  Pixel pixel = 0;
  from.addr = const_cast<char*>(colourName);
  from.size = static_cast<unsigned>(std::strlen(colourName) + 1);
  to.addr = reinterpret_cast<XPointer>(&pixel);
  to.size = sizeof pixel;
  if (!XtConvertAndStore(widget, XmRString, &from, XmRPixel, &to)) {
    return WhitePixelOfScreen(XtScreen(widget));
  }
  return pixel;
}

Pixel allocNamedPixel(const char* colourName, Widget widget) {
  Display* dpy = XtDisplay(widget);
  int screen = DefaultScreen(dpy);
  XColor exact, shown;
  if (!XAllocNamedColor(dpy, DefaultColormap(dpy, screen), colourName, &shown, &exact)) {
    return BlackPixel(dpy, screen);
  }
  return shown.pixel;
}

void flushDisplay(Widget widget) {
  XFlush(XtDisplay(widget));
  XmUpdateDisplay(widget);
}

void setKeyboardFocus(Widget widget) { XmProcessTraversal(widget, XmTRAVERSE_CURRENT); }
