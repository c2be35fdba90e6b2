// The thumb index's geometry without any widget: splitting the labels into
// pages that fit the width, choosing the page to show, laying out its tabs
// and finding the tab under a point.
#pragma once

#include <string>
#include <vector>

// Width of a "more" tab, which carries the label kThumbMoreLabel.
const int kThumbMoreTabWidth = 44;
constexpr const char* kThumbMoreLabel = "More";

// The measures the split and the layout depend on.
struct ThumbGeometry {
  int width = 0;       // of the widget
  int height = 0;
  int offset = 10;     // indexOffset: pixels between tabs
  int slantLeft = 15;  // indexSlantLeft
  int slantRight = 15;
  int textInset = 0;   // marginWidth + highlight + shadow thickness
  int textTop = 0;     // highlight + shadow thickness
  int focusInset = 0;  // shadow thickness + half the highlight thickness
};

// One page: consecutive labels first..last, with "more" tabs before and
// after them when labels lie outside.
struct ThumbPage {
  int first = 0;
  int last = -1;
  int tabs = 0;        // shown tabs, the "more" tabs included
  bool leading = false;
  bool trailing = false;
};

// One shown tab.
struct ThumbTab {
  int label = -1;      // label index, -1 for a "more" tab
  int slantLeftX = 0;  // where the left slant starts (body x - slantLeft)
  int x = 0;           // body's left edge
  int width = 0;       // body's width
  int slantRightX = 0; // where the right slant starts (body's right edge)
  int slantLeft = 0;
  int slantRight = 0;
  int height = 0;
  int textX = 0;       // top-left corner of the text
  int textY = 0;
  int focusX = 0, focusY = 0, focusWidth = 0, focusHeight = 0;

  bool more() const { return label < 0; }
};

// One page per label (the page that starts there), for tabs of the given
// widths.
std::vector<ThumbPage> thumbSplitPages(const std::vector<int>& widths, const ThumbGeometry& g);

// Among the pages that hold the selected label, the one with the most
// labels; on equal counts the later one. An empty page when there are none.
ThumbPage thumbChoosePage(const std::vector<ThumbPage>& pages, int selected);

// The tabs of a page, left to right.
std::vector<ThumbTab> thumbLayoutPage(const ThumbPage& page, const std::vector<int>& widths,
                                      const ThumbGeometry& g);

// The position on the page of the tab under (x, y), -1 for none. Where two
// tabs overlap, the one nearer the selected position (drawn on top) wins.
int thumbTabAt(const std::vector<ThumbTab>& tabs, int selectedPosition, int x, int y);

// The position on the page of a label's tab, -1 when not shown.
int thumbPositionOfLabel(const std::vector<ThumbTab>& tabs, int label);
