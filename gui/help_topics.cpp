// Help topics and look-ups (see help_topics.h).
#include "help_topics.h"

#include "help_texts.h"

const char* helpTopicTitle(int topic) {
  return topic >= 0 && topic < kHelpTopicCount ? helpText(topic).title : "";
}

std::vector<std::string> helpTopicLines(int topic) {
  const HelpText& t = helpText(topic);
  std::vector<std::string> lines;
  if (*t.title) {
    lines.push_back(t.title);
    lines.push_back(std::string(lines[0].size(), '-'));
  }
  std::string text = t.text;
  for (size_t start = 0;;) {
    size_t end = text.find('\n', start);
    lines.push_back(text.substr(start, end == std::string::npos ? end : end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return lines;
}

int helpContinuation(int topic) { return helpText(topic).continuation; }

bool showHelpFor(const std::vector<HelpRow>& rows, Widget picked) {
  if (!picked) return false;
  for (const HelpRow& r : rows) {
    if (r.widget && *r.widget == picked) {
      showHelpMessage(r.topic);
      return true;
    }
  }
  return false;
}
