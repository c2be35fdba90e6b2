// The thumb index's label list: texts in tab order, each with its duplicate
// number (0 for the first of equal texts, then the lowest free number from 1
// upwards), and the texts the tabs and the popup menu show for them.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

struct ThumbLabel {
  std::string text;
  int duplicate = 0;
  int width = 0;  // of its tab, set by the widget from the font
};

// " <%d>" for a duplicate number.
std::string thumbSuffix(int duplicate);

class ThumbLabels {
 public:
  // Inserts a label (position clamped to the count; negative appends) and
  // returns where it went.
  int insert(const std::string& text, int position);
  // Removes a label, freeing its duplicate number.
  void remove(int position);
  // The label with this text and the highest duplicate number, -1 for none.
  int findNamed(const std::string& text) const;

  int count() const { return static_cast<int>(labels_.size()); }
  ThumbLabel& at(int position) { return labels_[position]; }
  const ThumbLabel& at(int position) const { return labels_[position]; }

  // The tab's text: the text, or "%s <%d>" for a duplicate.
  std::string shown(int position) const;
  // The menu's text: a duplicate's number "<%d>" ends at the last column of
  // the longest text plus the longest suffix.
  std::string menuText(int position) const;

 private:
  std::vector<ThumbLabel> labels_;
  std::map<std::string, std::set<int>> inUse_;  // duplicate numbers per text
};
