// Loading the button and icon images.
#include "image_set.h"

#include <X11/xpm.h>
#include <Xm/Xm.h>

#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

#include "colour_scheme.h"

namespace {

// The image names in record order; buttons have a normal and an inverted form.
struct ImageName {
  const char* base;
  bool button;
  bool inverted;
};
const ImageName kImageNames[kImageCount] = {
    {"OK", true, false},       {"OK", true, true},       {"No", true, false},
    {"No", true, true},        {"Help", true, false},    {"Help", true, true},
    {"Plus", true, false},     {"Plus", true, true},     {"Del", true, false},
    {"Del", true, true},       {"Next", true, false},    {"Next", true, true},
    {"Previous", true, false}, {"Previous", true, true}, {"Add", true, false},
    {"Add", true, true},       {"hand", false, false},   {"stop", false, false},
    {"warn1", false, false},   {"warn2", false, false},  {"question", false, false},
};

// Where loadPixmapFile looks for a relative name after "." and the home directory.
const char kIconDirectory[] = "/usr/share/pixmaps";

bool readable(const std::string& path) { return ::access(path.c_str(), R_OK) == 0; }

}  // namespace

std::string imageFileName(int index, char set) {
  if (index < 0 || index >= kImageCount) return std::string();
  const ImageName& n = kImageNames[index];
  std::string name = "images/";
  if (n.button) name += "button";
  name += n.base;
  if (n.inverted) name += "Inv";
  name += set;
  return name + ".xpm";
}

Pixmap loadXpmPixmap(Widget widget, const std::string& directory, const std::string& file) {
  if (!widget) return 0;
  std::string path = directory + "/" + file;
  Display* dpy = XtDisplay(widget);
  Window root = RootWindowOfScreen(XtScreen(widget));
  Pixmap pixmap = 0;
  Pixmap mask = 0;
  // Every image has a transparent ("None") background: it is drawn in the
  // background the program's widgets get, so no dark square shows round it.
  XpmColorSymbol transparent = {nullptr, const_cast<char*>("None"), schemeBackground(widget)};
  XpmAttributes attrs;
  attrs.valuemask = XpmColorSymbols;
  attrs.colorsymbols = &transparent;
  attrs.numsymbols = 1;
  int rc = XpmReadFileToPixmap(dpy, root, const_cast<char*>(path.c_str()), &pixmap, &mask, &attrs);
  if (mask) XFreePixmap(dpy, mask);
  if (rc == XpmSuccess) {
    XpmFreeAttributes(&attrs);
    return pixmap;
  }
  // A colour error may still have made a pixmap: it is not used, so free it.
  if (pixmap) XFreePixmap(dpy, pixmap);
  if (rc != XpmColorError && (rc > 0 || rc < XpmColorFailed)) {
    XtWarning("Unknown XPM error-message");
  }
  return 0;
}

void loadButtonPixmaps(ButtonImages* images, Widget widget, const std::string& directory, bool grey) {
  struct stat st;
  std::string folder = directory;
  if (!folder.empty() && folder.back() != '/') folder += '/';
  folder += "images";
  if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
    std::fprintf(stderr, "Jarn: no image directory %s: the buttons show their text.\n", folder.c_str());
  }
  for (int i = 0; i < kImageCount; ++i) {
    Pixmap p = 0;
    if (!grey) p = loadXpmPixmap(widget, directory, imageFileName(i, 'c'));
    if (!p) p = loadXpmPixmap(widget, directory, imageFileName(i, 'b'));
    images->pixmaps[static_cast<size_t>(i)] = p;
  }
}

Pixmap loadPixmapFile(Widget widget, const std::string& name, int kind) {
  if (name.empty()) return XmUNSPECIFIED_PIXMAP;
  std::string path;
  if (name[0] == '/' || name.compare(0, 2, "./") == 0 || name.compare(0, 3, "../") == 0) {
    path = name;
  } else {
    const char* home = std::getenv("HOME");
    for (std::string dir : {std::string("."), std::string(home ? home : ""), std::string(kIconDirectory)}) {
      if (dir.empty()) continue;
      if (readable(dir + "/" + name)) {
        path = dir + "/" + name;
        break;
      }
    }
  }
  if (path.empty() || !widget) return XmUNSPECIFIED_PIXMAP;
  Display* dpy = XtDisplay(widget);
  Window root = RootWindowOfScreen(XtScreen(widget));
  if (kind == 2) {
    unsigned int w, h;
    int xh, yh;
    Pixmap bitmap = 0;
    if (XReadBitmapFile(dpy, root, path.c_str(), &w, &h, &bitmap, &xh, &yh) != BitmapSuccess) {
      return XmUNSPECIFIED_PIXMAP;
    }
    return bitmap;
  }
  Widget colours = (kind == 1 && XtParent(widget)) ? XtParent(widget) : widget;
  Pixel fg = 0, bg = 0;
  XtVaGetValues(colours, XmNforeground, &fg, XmNbackground, &bg, nullptr);
  return XmGetPixmap(XtScreen(widget), const_cast<char*>(path.c_str()), fg, bg);
}
