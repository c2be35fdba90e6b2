// Old defaults into a new PPD.
// libcups marks its whole PPD interface deprecated; it is the interface this
// reader needs.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#include "ppd_defaults.h"

#include <cups/cups.h>
#include <cups/file.h>
#include <cups/ppd.h>

#include <algorithm>

#include <cstdio>
#include <cstring>

#include "install_log.h"
#include "install_state.h"

namespace inst {
namespace {

constexpr size_t kKeyMax = 79;

std::string cut(const char* text, size_t max) {
  std::string s = text ? text : "";
  if (s.size() > max) s.resize(max);
  return s;
}

// "*<keyword>" followed by "/" or ":" at `at`.
bool keywordAt(const std::string& line, size_t at, const std::string& keyword) {
  if (line.compare(at, 1, "*") != 0 || line.compare(at + 1, keyword.size(), keyword) != 0) return false;
  size_t end = at + 1 + keyword.size();
  return end < line.size() && (line[end] == '/' || line[end] == ':');
}

bool startsWith(const std::string& s, const std::string& prefix) { return s.compare(0, prefix.size(), prefix) == 0; }

// True when some line is "*<keyword> <choice>" followed by "/" or ":"
// (an entry of a keyword outside the UI blocks, such as ImageableArea).
bool hasEntry(const std::vector<std::string>& lines, const std::string& keyword, const std::string& choice) {
  const std::string head = "*" + keyword + " " + choice;
  for (const std::string& line : lines) {
    if (startsWith(line, head) && line.size() > head.size() && (line[head.size()] == '/' || line[head.size()] == ':'))
      return true;
  }
  return false;
}

// True when the new PPD takes the old choice: one of its choices, or a
// custom value ("Custom.100x150mm") where it takes custom values of the
// keyword ("*CustomPageSize True").
bool takesChoice(const std::vector<std::string>& lines, const std::string& keyword, const std::string& choice) {
  if (hasUIChoiceIn(lines, keyword, choice)) return true;
  if (!startsWith(choice, "Custom.")) return false;
  for (const std::string& line : lines)
    if (startsWith(line, "*Custom" + keyword + " True")) return true;
  return false;
}

// The defaults that follow the page size, in or out of a UI block.
bool followsPageSize(const std::string& key) {
  return key == "PageRegion" || key == "ImageableArea" || key == "PaperDimension";
}

}  // namespace

bool readPPDDefaults(const std::string& path, OptNode* head) {
  ppd_file_t* ppd = ppdOpenFile(path.c_str());
  if (!ppd) {
    std::string why = format(kUnableToOpenPPD, path.c_str());
    std::fputs(why.c_str(), stderr);
    writeLog(why);
    return false;
  }
  int number = 0;
  for (int g = 0; g < ppd->num_groups; ++g) {
    const ppd_group_t& group = ppd->groups[g];
    for (int o = 0; o < group.num_options; ++o) {
      const ppd_option_t& option = group.options[o];
      const char* chosen = nullptr;
      for (int c = 0; c < option.num_choices && !chosen; ++c) {
        if (std::strcmp(option.choices[c].choice, option.defchoice) == 0) chosen = option.choices[c].choice;
      }
      // A custom value ("Custom.100x150mm") is no choice of its own.
      if (!chosen && std::strncmp(option.defchoice, "Custom.", 7) == 0) chosen = option.defchoice;
      if (!chosen) continue;
      OptNode* node = new OptNode;
      node->keyword = cut(option.keyword, kOptionTextMax);
      node->choice = cut(chosen, kOptionTextMax);
      node->number = ++number;
      addOptList(head, node);
    }
  }
  ppdClose(ppd);
  return true;
}

bool parseDefaultLine(const std::string& line, std::string* key, std::string* value) {
  if (line.find("*DefaultColorSep") != std::string::npos) return false;
  size_t at = line.find("*Default");
  if (at == std::string::npos) return false;
  size_t pos = at + 8;
  size_t end = line.find_first_of(" :\r\n", pos);
  if (end == std::string::npos) end = line.size();
  *key = line.substr(pos, std::min(end - pos, kKeyMax));
  size_t colon = line.find(':', end);
  value->clear();
  if (key->empty() || colon == std::string::npos) return !key->empty();
  pos = colon + 1;
  while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
  end = line.find_first_of(" \r\n", pos);
  if (end == std::string::npos) end = line.size();
  *value = line.substr(pos, std::min(end - pos, kKeyMax));
  return true;
}

int hasUIChoiceIn(const std::vector<std::string>& lines, const std::string& keyword,
                  const std::string& choice) {
  bool inBlock = false;
  for (const std::string& line : lines) {
    if (!inBlock) {
      inBlock = (line.compare(0, 8, "*OpenUI ") == 0 && keywordAt(line, 8, keyword)) ||
                (line.compare(0, 11, "*JCLOpenUI ") == 0 && keywordAt(line, 11, keyword));
      continue;
    }
    if (line.compare(0, 8, "*CloseUI") == 0 || line.compare(0, 11, "*JCLCloseUI") == 0) return 0;
    if (line.compare(0, keyword.size() + 2, "*" + keyword + " ") == 0) {
      std::string rest = line.substr(keyword.size() + 2);
      if (rest.compare(0, choice.size(), choice) == 0 && rest.size() > choice.size() &&
          (rest[choice.size()] == '/' || rest[choice.size()] == ':'))
        return 1;
    }
  }
  return 0;
}

int hasUIChoice(const std::string& path, const std::string& keyword, const std::string& choice) {
  cups_file_t* f = cupsFileOpen(path.c_str(), "r");
  if (!f) return 0;
  std::vector<std::string> lines;
  char buf[256];
  while (cupsFileGets(f, buf, sizeof buf)) lines.push_back(buf);
  cupsFileClose(f);
  return hasUIChoiceIn(lines, keyword, choice);
}

std::vector<std::string> splitRawLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t lf = text.find('\n', pos);
    size_t end = lf == std::string::npos ? text.size() : lf + 1;
    lines.push_back(text.substr(pos, end - pos));
    pos = end;
  }
  return lines;
}

std::string processNewPPD(const std::string& newPPD, const OptNode* options, const std::string& printer) {
  int count = 0;
  for (const OptNode* r = options->next; r != options; r = r->next) ++count;
  logMsg(kProcessNewPPD, count);
  std::vector<std::string> lines = splitRawLines(newPPD);
  // The page size carried decides the defaults that follow it.
  const OptNode* size = findOption(options, "PageSize");
  std::string carriedSize =
      size && !size->choice.empty() && takesChoice(lines, "PageSize", size->choice) ? size->choice : "";
  std::string out;
  bool inBlock = false;
  for (const std::string& line : lines) {
    if (line.find("*OpenUI") != std::string::npos || line.find("*JCLOpenUI") != std::string::npos) inBlock = true;
    if (line.find("*CloseUI") != std::string::npos || line.find("*JCLCloseUI") != std::string::npos) inBlock = false;
    std::string key, value;
    if (!parseDefaultLine(line, &key, &value) || (!inBlock && !followsPageSize(key))) {
      out += line;
      continue;
    }
    if (state().debug > 0) trace("%s", format(kProcessKeyTrace, key.c_str()).c_str());
    const OptNode* old = findOption(options, key);
    if (followsPageSize(key) && !carriedSize.empty() && hasEntry(lines, key, carriedSize)) {
      value = carriedSize;
      logMsg(kSettingOption, key.c_str(), value.c_str());
    } else if (!inBlock) {
      out += line;
      continue;
    } else if (old && !old->choice.empty() && takesChoice(lines, key, old->choice)) {
      logMsg(kSettingOption, key.c_str(), old->choice.c_str());
      value = old->choice;
    } else if (old && !old->choice.empty() && old->choice != value && !followsPageSize(key)) {
      std::string why = format(kDefaultNotCarried, key.c_str(), old->choice.c_str(), printer.c_str(), value.c_str());
      writeLog(why);
      std::fputs(why.c_str(), stderr);
    }
    out += "*Default" + key + ": " + value + "\n";
  }
  return out;
}

}  // namespace inst
