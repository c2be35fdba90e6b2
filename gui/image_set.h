// The button and message icon images of the administration program.
//
// They are XPM files under "images/" of the installation directory, in two
// sets: "b" (grey) and "c" (colour). A missing image leaves its pixmap 0,
// so the button keeps its text label.
#pragma once

#include <X11/Intrinsic.h>

#include <array>
#include <string>

// Index of each image in the record, in load order.
enum ImageIndex {
  kImgOK, kImgOKInv, kImgNo, kImgNoInv, kImgHelp, kImgHelpInv, kImgPlus, kImgPlusInv,
  kImgDel, kImgDelInv, kImgNext, kImgNextInv, kImgPrevious, kImgPreviousInv, kImgAdd, kImgAddInv,
  kImgHand, kImgStop, kImgWarn1, kImgWarn2, kImgQuestion,
  kImageCount
};

struct ButtonImages {
  std::array<Pixmap, kImageCount> pixmaps{};
};

// The file of image `index` in a set ('b' or 'c'), relative to the
// installation directory: "images/buttonOKb.xpm", "images/handc.xpm", ...
std::string imageFileName(int index, char set);

// Loads the 21 images in record order from `directory`: the grey set when
// `grey`, else the colour set, where a colour file that fails falls back to
// its grey file. Without a folder "images" there, one line on standard
// error names the folder that was searched.
void loadButtonPixmaps(ButtonImages* images, Widget widget, const std::string& directory, bool grey);

// Reads "directory/file" as an XPM image into a pixmap of the widget's
// screen, its transparent pixels in the widgets' background (that of the
// colour scheme, else the widget's); 0 when the widget is missing or the
// read fails.
Pixmap loadXpmPixmap(Widget widget, const std::string& directory, const std::string& file);

// A pixmap from a file name: "" gives XmUNSPECIFIED_PIXMAP; names starting
// "/", "./" or "../" are used as they are, others are looked up in ".", the
// home directory and the icon directory. Kind 2 reads a bitmap on the root
// window; 0 and 1 make a pixmap in the widget's (0) or its parent's (1)
// colours.
Pixmap loadPixmapFile(Widget widget, const std::string& name, int kind);
