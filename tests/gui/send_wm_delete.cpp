// jarn_wm_delete WINDOW-ID: sends WM_DELETE_WINDOW to a window the way a
// window manager does when the user closes it (xdotool's windowclose
// destroys the window instead). Exit status 0 when the message was sent.
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s WINDOW-ID\n", argv[0]);
    return 2;
  }
  Display* dpy = XOpenDisplay(nullptr);
  if (!dpy) {
    std::fprintf(stderr, "%s: cannot open the display\n", argv[0]);
    return 1;
  }
  Window window = static_cast<Window>(std::strtoul(argv[1], nullptr, 0));
  XEvent event = {};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(dpy, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(dpy, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  Status sent = XSendEvent(dpy, window, False, NoEventMask, &event);
  XSync(dpy, False);
  XCloseDisplay(dpy);
  return sent ? 0 : 1;
}
