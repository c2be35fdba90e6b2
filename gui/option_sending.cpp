// Sending changed PPD options (see option_sending.h).
#include "option_sending.h"

#include <strings.h>

#include <algorithm>
#include <map>

#include "command_formats.h"
#include "config_file.h"
#include "lpadmin_options.h"
#include "option_rows.h"
#include "option_state.h"
#include "ppd_choice_helpers.h"
#include "ppd_marking.h"
#include "process_runner.h"
#include "setup_state.h"
#include "system_detection.h"
#include "trace.h"

namespace {

constexpr char kNoValue[] = "None";
// The status of an option refused before anything ran.
constexpr int kNotSent = 1;

std::string lpadminPath() {
  const std::string& path = setup().toolPaths[kToolLpadmin];
  return path.empty() ? std::string("lpadmin") : path;
}

void addPending(const std::string& keyword, const std::string& value) {
  auto& list = optionPages().pendingOptions;
  for (PendingOption& entry : list) {
    if (strcasecmp(entry.first.c_str(), keyword.c_str()) == 0) {
      entry.second = value;
      return;
    }
  }
  list.emplace_back(keyword, value);
}

// The records of one option from position `next`: whether one changed.
bool optionChanged(const std::vector<PpdChoiceState>& table, size_t* next, const ppd_option_t* option) {
  bool changed = false;
  for (int c = 0; c < option->num_choices && *next < table.size(); ++c, ++*next) {
    if (!table[*next].changed) continue;
    changed = true;
    if (traceLevel() > 2) tracef("InstOption %s/%s changed!\n", option->keyword, table[*next].choice.c_str());
  }
  return changed;
}

// The special options' values when edited ("None" for none).
void addSpecialOption(const ppd_option_t* option) {
  const OptionPagesState& st = optionPages();
  std::string keyword = option->keyword;
  int kind = getSpecialOptionKind(option->keyword);
  const std::string* text = kind == kOptionSecuredPassword ? &st.ppdSecuredPassword
                            : kind == kOptionUserId        ? &st.ppdUserId
                                                           : &st.ppdUserPassword;
  int edited = kind == kOptionMailbox ? st.mailboxEdited
               : kind == kOptionSecuredPassword ? st.securedPasswordEdited
               : kind == kOptionUserId ? st.userIdEdited
               : kind == kOptionUserPassword ? st.userPasswordEdited : 0;
  if (!edited) {
    if (traceLevel() > 2) tracef("getChangedOptions %s/%s changed!\n", option->keyword, option->defchoice);
    return;
  }
  if (kind == kOptionMailbox) {
    bool inRange = st.ppdMailbox >= 0 && st.ppdMailbox < setup().mailboxMax;
    addPending(keyword, inRange ? std::to_string(st.ppdMailbox) : kNoValue);
  } else {
    addPending(keyword, text->empty() ? kNoValue : *text);
  }
}

// Marks an option's current record changed again, so that it is sent again.
void keepChanged(const std::string& keyword) {
  OptionPagesState& st = optionPages();
  for (auto* table : {&st.installableChoices, &st.printChoices}) {
    for (PpdChoiceState& r : *table) {
      if (r.option == keyword && r.isCurrent) r.changed = 1;
    }
  }
}

}  // namespace

int getChangedOptions() {
  OptionPagesState& st = optionPages();
  ppd_file_t* ppd = st.currentPpd;
  if (!ppd) return 0;
  if (traceLevel() > 1) tracef("getChangedOptions(%d).\n", ppd->num_groups);
  commitMailboxSpin();
  size_t nextInstall = 0, nextPrint = 0;
  forEachOption(ppd, [&](ppd_option_t* option, bool installable) {
    int kind = getSpecialOptionKind(option->keyword);
    if (kind == kOptionPageRegion) return;
    if (kind != kOptionOrdinary) {
      if (!installable) addSpecialOption(option);
      return;
    }
    const auto& table = installable ? st.installableChoices : st.printChoices;
    if (!optionChanged(table, installable ? &nextInstall : &nextPrint, option)) return;
    ppd_choice_t* marked = firstMarkedChoice(option);
    if (!marked) return;
    if (traceLevel() > 2) tracef("InstOption %s/%s set value!\n", option->keyword, marked->choice);
    addPending(option->keyword, marked->choice);
  });
  int count = static_cast<int>(st.pendingOptions.size());
  if (traceLevel() > 1) tracef("getChangedOptions() = %d.\n", count);
  return count;
}

int isPendingOption(const char* keyword) {
  if (!keyword) return 0;
  for (const PendingOption& entry : optionPages().pendingOptions) {
    if (entry.first == keyword) return 1;
  }
  return 0;
}

int removePendingOption(const char* keyword) {
  auto& list = optionPages().pendingOptions;
  if (!keyword || list.empty()) return static_cast<int>(list.size());
  auto it = std::find_if(list.begin(), list.end(),
                         [keyword](const PendingOption& e) { return strcasecmp(e.first.c_str(), keyword) == 0; });
  if (it != list.end()) list.erase(it);
  if (traceLevel() > 2) tracef("Removed option: %s [%d].\n", keyword, static_cast<int>(list.size()));
  return static_cast<int>(list.size());
}

int updatePPDFileOption(const std::string& queue, const std::string& keyword, const std::string& value) {
  if (keyword.empty() || value.empty()) {
    if (traceLevel() > 3) tracef("updatePPDFileOption(emptyOption)\n");
    return 0;
  }
  if (!isSendableKeyword(keyword) || isQueueAttributeName(keyword)) {
    tracef("updatePPDFileOption: '%s' is not sent: lpadmin would not read it as a PPD option\n", keyword.c_str());
    return kNotSent;
  }
  Command cmd = commandFromFormat("%s -p %s -o %s=%s", {lpadminPath(), queue, keyword, lpadminOptionValue(value)});
  int status = runCommand(cmd, traceLevel(), RunMode::Spooler);
  if (traceLevel() > 3) tracef("%s Returns: %d\n", cmd.text.c_str(), status);
  return status;
}

std::string valueForPpd(ppd_file_t* ppd, const char* keyword, const std::string& value) {
  ppd_option_t* option = ppd ? findPpdOption(ppd, keyword) : nullptr;
  if (!option || value.empty() || findPpdChoice(option, value.c_str())) return value;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"  // libcups's PPD API, as everywhere here
  ppd_coption_t* custom = ppdFindCustomOption(ppd, keyword);
#pragma GCC diagnostic pop
  if (!custom) return value;
  int params = cupsArrayCount(custom->params);
  auto* first = static_cast<ppd_cparam_t*>(cupsArrayFirst(custom->params));
  if (params > 1 && first) return std::string("{") + first->name + "=" + value + "}";
  return "Custom." + value;
}

int updateCupsPPD(ppd_file_t* ppd, const std::string& queue, std::vector<std::string>* failed) {
  if (!ppd || ppd->num_groups == 0) return 0;
  if (traceLevel() > 0) tracef("updateCupsPPD(%s :: %d)\n", queue.c_str(), static_cast<int>(optionPages().pendingOptions.size()));
  int sent = 0;
  std::vector<PendingOption> toCheck;
  for (int g = 0; g < ppd->num_groups; ++g) {
    ppd_group_t* group = &ppd->groups[g];
    for (int o = 0; o < group->num_options; ++o) {
      ppd_option_t* option = &group->options[o];
      if (isPageRegion(option) || !isPendingOption(option->keyword)) continue;
      std::string value;
      for (const PendingOption& e : optionPages().pendingOptions) {
        if (e.first == option->keyword) value = valueForPpd(ppd, option->keyword, e.second);
      }
      ++sent;
      if (updatePPDFileOption(queue, option->keyword, value) != 0) {
        if (failed) failed->push_back(option->keyword);
      } else if (!value.empty()) {
        toCheck.emplace_back(option->keyword, value);
      }
      removePendingOption(option->keyword);
    }
  }
  // A value lpadmin accepted may still not take: the daemon's copy of the
  // PPD tells (nothing was run in a dry run).
  std::map<std::string, std::string> defaults;
  if (traceLevel() != 1 && !toCheck.empty() && readInstalledDefaults(queue, &defaults)) {
    for (const PendingOption& c : toCheck) {
      auto it = defaults.find(c.first);
      if (it != defaults.end() && it->second == c.second) continue;
      tracef("updateCupsPPD: %s=%s did not take (the daemon has '%s')\n", c.first.c_str(), c.second.c_str(),
             it == defaults.end() ? "" : it->second.c_str());
      if (failed) failed->push_back(c.first);
    }
  }
  return sent;
}

int updatePPDOption(const std::string& queue, std::vector<std::string>* failed) {
  OptionPagesState& st = optionPages();
  if (!st.currentPpd) return 0;
  std::vector<std::string> failedHere;
  int count = getChangedOptions();
  if (count > 0) updateCupsPPD(st.currentPpd, queue, &failedHere);
  resetChangedOptions();
  for (const std::string& keyword : failedHere) {
    if (isSendableKeyword(keyword) && !isQueueAttributeName(keyword)) keepChanged(keyword);
  }
  if (failed) failed->insert(failed->end(), failedHere.begin(), failedHere.end());
  return count;
}

int updatePPDCombiOptions(const std::string& queue, const std::string& options) {
  if (options.find_first_not_of(' ') == std::string::npos) {
    if (traceLevel() > 3) tracef("updatePPDCombiOptions(emptyOption)\n");
    return 0;
  }
  Command cmd({lpadminPath(), "-p", queue}, formatCommandText("%s -p %s %s", {lpadminPath(), queue, options}));
  for (size_t pos = options.find_first_not_of(' '); pos != std::string::npos;) {
    size_t end = options.find(' ', pos);
    cmd.argv.push_back(options.substr(pos, end == std::string::npos ? end : end - pos));
    pos = options.find_first_not_of(' ', end == std::string::npos ? options.size() : end);
  }
  return runCommand(cmd, traceLevel(), RunMode::Spooler);
}

std::string textAfterQorMarker(const std::string& line) {
  std::string buffer = line.substr(0, 255);
  size_t at = buffer.find("QOR");
  if (at == std::string::npos) return std::string();
  size_t start = buffer.find_first_not_of(' ', at + 3);
  if (start == std::string::npos) return std::string();
  size_t end = buffer.find_last_not_of(' ');
  return buffer.substr(start, end - start + 1);
}
