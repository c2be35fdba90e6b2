// The thumb index's label list (see thumb_index_labels.h).
#include "thumb_index_labels.h"

#include <algorithm>

std::string thumbSuffix(int duplicate) { return " <" + std::to_string(duplicate) + ">"; }

int ThumbLabels::insert(const std::string& text, int position) {
  if (position < 0 || position > count()) position = count();
  ThumbLabel label;
  label.text = text;
  bool repeated = std::any_of(labels_.begin(), labels_.end(),
                              [&](const ThumbLabel& l) { return l.text == text; });
  if (repeated) {
    std::set<int>& used = inUse_[text];
    int number = 1;
    while (used.count(number)) ++number;
    used.insert(number);
    label.duplicate = number;
  }
  labels_.insert(labels_.begin() + position, label);
  return position;
}

void ThumbLabels::remove(int position) {
  if (position < 0 || position >= count()) return;
  const ThumbLabel& label = labels_[position];
  if (label.duplicate != 0) {
    auto found = inUse_.find(label.text);
    if (found != inUse_.end()) {
      found->second.erase(label.duplicate);
      if (found->second.empty()) inUse_.erase(found);
    }
  }
  labels_.erase(labels_.begin() + position);
}

int ThumbLabels::findNamed(const std::string& text) const {
  int found = -1;
  for (int i = 0; i < count(); ++i)
    if (labels_[i].text == text && (found < 0 || labels_[i].duplicate > labels_[found].duplicate))
      found = i;
  return found;
}

std::string ThumbLabels::shown(int position) const {
  const ThumbLabel& label = labels_[position];
  return label.duplicate ? label.text + thumbSuffix(label.duplicate) : label.text;
}

std::string ThumbLabels::menuText(int position) const {
  const ThumbLabel& label = labels_[position];
  if (label.duplicate == 0) return label.text;
  size_t longestText = 0, longestSuffix = 0;
  for (const ThumbLabel& l : labels_) {
    longestText = std::max(longestText, l.text.size());
    if (l.duplicate) longestSuffix = std::max(longestSuffix, thumbSuffix(l.duplicate).size());
  }
  std::string number = "<" + std::to_string(label.duplicate) + ">";
  size_t columns = longestText + longestSuffix;
  size_t used = label.text.size() + number.size();
  size_t blanks = columns > used ? columns - used : 1;
  return label.text + std::string(blanks, ' ') + number;
}
