// The thumb index's pages, layout and hit test (see thumb_index_pages.h).
#include "thumb_index_pages.h"

#include <cstdlib>

namespace {

// True when the point lies within the tab's body or one of its slants.
bool insideTab(const ThumbTab& tab, int x, int y) {
  if (y < 0 || y >= tab.height) return false;
  int right = tab.x + tab.width;
  if (x >= tab.x && x < right) return true;
  // Left slant: below the line from the body's top-left corner to the foot.
  if (tab.slantLeft > 0 && x >= tab.slantLeftX && x < tab.x)
    return static_cast<long>(y) * tab.slantLeft >= static_cast<long>(tab.height) * (tab.x - x);
  // Right slant: below the line from the body's top-right corner.
  if (tab.slantRight > 0 && x >= right && x < right + tab.slantRight)
    return static_cast<long>(y) * tab.slantRight >= static_cast<long>(tab.height) * (x - right);
  return false;
}

ThumbTab makeTab(int label, int x, int width, const ThumbGeometry& g) {
  ThumbTab tab;
  tab.label = label;
  tab.x = x;
  tab.width = width;
  tab.slantLeft = g.slantLeft;
  tab.slantRight = g.slantRight;
  tab.slantLeftX = x - g.slantLeft;
  tab.slantRightX = x + width;
  tab.height = g.height;
  tab.textX = x + g.textInset;
  tab.textY = g.textTop;
  tab.focusX = x + g.focusInset;
  tab.focusY = g.focusInset;
  tab.focusWidth = width - 2 * g.focusInset;
  tab.focusHeight = g.height - 2 * g.focusInset;
  if (tab.focusWidth < 1) tab.focusWidth = 1;
  if (tab.focusHeight < 1) tab.focusHeight = 1;
  return tab;
}

}  // namespace

std::vector<ThumbPage> thumbSplitPages(const std::vector<int>& widths, const ThumbGeometry& g) {
  const int count = static_cast<int>(widths.size());
  std::vector<ThumbPage> pages;
  for (int first = 0; first < count; ++first) {
    ThumbPage page;
    page.first = first;
    page.leading = first > 0;
    // The positions are those thumbLayoutPage gives the tabs.
    int x = g.slantLeft;
    if (page.leading) x += kThumbMoreTabWidth + g.offset;
    int right = x + widths[first];
    int last = first;
    for (int next = first + 1; next < count; ++next) {
      int nextRight = right + g.offset + widths[next];
      bool fits = nextRight + g.slantRight + g.offset <= g.width;
      if (next < count - 1 && nextRight + kThumbMoreTabWidth + g.slantRight > g.width) fits = false;
      if (!fits) break;
      last = next;
      right = nextRight;
    }
    page.last = last;
    page.trailing = last < count - 1;
    page.tabs = last - first + 1 + (page.leading ? 1 : 0) + (page.trailing ? 1 : 0);
    pages.push_back(page);
  }
  return pages;
}

ThumbPage thumbChoosePage(const std::vector<ThumbPage>& pages, int selected) {
  ThumbPage best;
  int bestLabels = 0;
  for (const ThumbPage& page : pages) {
    if (selected < page.first || selected > page.last) continue;
    int labels = page.last - page.first + 1;
    if (labels >= bestLabels) {
      best = page;
      bestLabels = labels;
    }
  }
  return best;
}

std::vector<ThumbTab> thumbLayoutPage(const ThumbPage& page, const std::vector<int>& widths,
                                      const ThumbGeometry& g) {
  std::vector<ThumbTab> tabs;
  int x = g.slantLeft;
  if (page.leading) {
    tabs.push_back(makeTab(-1, x, kThumbMoreTabWidth, g));
    x += kThumbMoreTabWidth + g.offset;
  }
  for (int label = page.first; label <= page.last && label < static_cast<int>(widths.size());
       ++label) {
    tabs.push_back(makeTab(label, x, widths[label], g));
    x += widths[label] + g.offset;
  }
  if (page.trailing) {
    // Directly after the last label, without the offset.
    tabs.push_back(makeTab(-1, x - g.offset, kThumbMoreTabWidth, g));
  }
  return tabs;
}

int thumbTabAt(const std::vector<ThumbTab>& tabs, int selectedPosition, int x, int y) {
  int found = -1;
  for (int position = 0; position < static_cast<int>(tabs.size()); ++position) {
    if (!insideTab(tabs[position], x, y)) continue;
    if (found < 0 ||
        std::abs(position - selectedPosition) < std::abs(found - selectedPosition))
      found = position;
  }
  return found;
}

int thumbPositionOfLabel(const std::vector<ThumbTab>& tabs, int label) {
  for (int position = 0; position < static_cast<int>(tabs.size()); ++position)
    if (tabs[position].label == label) return position;
  return -1;
}
