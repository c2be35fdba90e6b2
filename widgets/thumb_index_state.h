// XwThumbIndex's state behind the instance record's one pointer: labels,
// pages, the shown page's tabs, graphics contexts and the popup menu. For
// the widget's sources and its tests.
#pragma once

#include <X11/Intrinsic.h>

#include <vector>

#include "thumb_index_labels.h"
#include "thumb_index_pages.h"

struct ThumbIndexState {
  ThumbLabels labels;
  std::vector<ThumbPage> pages;  // one per label
  ThumbPage page;                // the shown page
  std::vector<ThumbTab> tabs;    // its layout
  int selectedPosition = -1;     // of the selected tab on the page
  int focusLabel = 0;            // label of the focus tab
  bool hasFocus = false;

  GC indexGC = nullptr;   // indexColor (and selectedIndexColor)
  GC textGC = nullptr;    // indexTextColor on indexColor, the font
  GC focusGC = nullptr;   // highlight colour
  GC topShadowGC = nullptr;
  GC bottomShadowGC = nullptr;

  Widget menu = nullptr;           // the popup menu "popup"
  std::vector<Widget> buttons;     // one per label
  std::vector<Widget> separators;  // separators[i] lies between buttons i and i+1
};
