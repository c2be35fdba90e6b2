// PPD option marking and conflicts, on libcups's PPD records directly.
#include "ppd_marking.h"

// libcups marks its whole PPD interface deprecated; it is the interface this
// layer is built on.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

#include <cups/cups.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <strings.h>
#include <vector>

#include "setup_state.h"
#include "trace.h"

namespace {

constexpr size_t kKeywordSize = 41;  // PPD keywords: 40 characters and NUL

// Factors from a unit to points; an unknown or missing unit leaves points.
struct UnitFactor {
  const char* unit;
  double factor;
};
const UnitFactor kPointUnits[] = {
    {"cm", 28.346457}, {"mm", 2.8346457}, {"m", 2834.6458}, {"in", 72.0}, {"ft", 864.0},
};

// Choices that leave an option "off" for a constraint without a choice.
bool isOffChoice(const ppd_choice_t* choice) {
  return strcasecmp(choice->choice, "None") == 0 || strcasecmp(choice->choice, "Off") == 0 ||
         strcasecmp(choice->choice, "False") == 0;
}

void unmarkAll(ppd_option_t* option) {
  if (!option) return;
  for (int i = 0; i < option->num_choices; ++i) option->choices[i].marked = 0;
}

// A points value with an optional unit, any case: "12cm", "2.5in", "300".
float pointsValue(const char* text) {
  char* end = nullptr;
  double value = std::strtod(text, &end);
  while (*end == ' ') ++end;
  for (const UnitFactor& u : kPointUnits) {
    if (strcasecmp(end, u.unit) == 0) return static_cast<float>(value * u.factor);
  }
  return static_cast<float>(value);
}

// Every option of the PPD, from its option array.
std::vector<ppd_option_t*> allOptions(ppd_file_t* ppd) {
  std::vector<ppd_option_t*> options;
  for (int i = 0; i < cupsArrayCount(ppd->options); ++i)
    options.push_back(static_cast<ppd_option_t*>(cupsArrayIndex(ppd->options, i)));
  return options;
}

bool isStringParam(const ppd_cparam_t* param) {
  return param->type == PPD_CUSTOM_STRING || param->type == PPD_CUSTOM_PASSCODE ||
         param->type == PPD_CUSTOM_PASSWORD;
}

// The marks and conflict flags of every option, to put back after libcups
// has been asked to store a string (its own marking is not wanted here).
class MarkSnapshot {
 public:
  explicit MarkSnapshot(ppd_file_t* ppd) : options_(allOptions(ppd)) {
    for (ppd_option_t* o : options_) {
      conflicted_.push_back(o->conflicted);
      for (int i = 0; i < o->num_choices; ++i) marked_.push_back(o->choices[i].marked);
    }
  }
  void restore() {
    size_t c = 0, m = 0;
    for (ppd_option_t* o : options_) {
      o->conflicted = conflicted_[c++];
      for (int i = 0; i < o->num_choices; ++i) o->choices[i].marked = marked_[m++];
    }
  }

 private:
  std::vector<ppd_option_t*> options_;
  std::vector<char> conflicted_;
  std::vector<char> marked_;
};

// Single-quotes a value for cupsParseOptions.
std::string quoteOptionValue(const std::string& value) {
  std::string out = "'";
  for (char c : value) {
    if (c == '\'' || c == '\\') out += '\\';
    out += c;
  }
  return out + "'";
}

// Has libcups store a string value of a custom parameter: it allocates and
// frees those strings itself. The marks libcups sets on the way are undone.
void storeStringParam(ppd_file_t* ppd, ppd_option_t* option, ppd_coption_t* coption,
                      ppd_cparam_t* param, const char* value) {
  std::string text;
  if (param == ppdFirstCustomParam(coption)) {
    text = std::string("Custom.") + value;
  } else {
    text = std::string("{") + param->name + "=" + quoteOptionValue(value) + "}";
  }
  MarkSnapshot marks(ppd);
  ppdMarkOption(ppd, option->keyword, text.c_str());
  marks.restore();
}

// Sets one custom parameter from its text, by the parameter's type.
void setParamValue(ppd_file_t* ppd, ppd_option_t* option, ppd_coption_t* coption,
                   ppd_cparam_t* param, const char* value) {
  switch (param->type) {
    case PPD_CUSTOM_CURVE:
      param->current.custom_curve = static_cast<float>(std::strtod(value, nullptr));
      break;
    case PPD_CUSTOM_INVCURVE:
      param->current.custom_invcurve = static_cast<float>(std::strtod(value, nullptr));
      break;
    case PPD_CUSTOM_REAL:
      param->current.custom_real = static_cast<float>(std::strtod(value, nullptr));
      break;
    case PPD_CUSTOM_INT:
      param->current.custom_int = static_cast<int>(std::strtol(value, nullptr, 10));
      break;
    case PPD_CUSTOM_POINTS:
      param->current.custom_points = pointsValue(value);
      break;
    case PPD_CUSTOM_PASSCODE:
    case PPD_CUSTOM_PASSWORD:
    case PPD_CUSTOM_STRING:
      storeStringParam(ppd, option, coption, param, value);
      break;
    default:
      break;
  }
}

// "Custom.<value>": the first custom parameter takes the value (PageSize:
// libcups's custom page size). Returns false when nothing may be marked.
bool applyCustomValue(ppd_file_t* ppd, ppd_option_t* option, const char* text) {
  if (strcasecmp(option->keyword, "PageSize") == 0) {
    ppdPageSize(ppd, text);
    return true;
  }
  ppd_coption_t* coption = ppdFindCustomOption(ppd, option->keyword);
  if (!coption) return true;
  ppd_cparam_t* first = ppdFirstCustomParam(coption);
  if (!first) return false;
  setParamValue(ppd, option, coption, first, text + 7);
  return true;
}

// "{name=value ...}": each pair naming a parameter sets that parameter.
void applyParameterList(ppd_file_t* ppd, ppd_option_t* option, const char* text) {
  ppd_coption_t* coption = ppdFindCustomOption(ppd, option->keyword);
  if (!coption) return;
  cups_option_t* pairs = nullptr;
  int count = cupsParseOptions(text, 0, &pairs);
  for (int i = 0; i < count; ++i) {
    ppd_cparam_t* param = ppdFindCustomParam(coption, pairs[i].name);
    if (param) setParamValue(ppd, option, coption, param, pairs[i].value);
  }
  cupsFreeOptions(count, pairs);
}

// Marks `chosen` and unmarks the option's other choices (unless it is
// pick-many), with the InputSlot/ManualFeed coupling.
void markChoice(ppd_file_t* ppd, ppd_option_t* option, ppd_choice_t* chosen) {
  chosen->marked = 1;
  if (option->ui == PPD_UI_PICKMANY) return;
  for (int i = 0; i < option->num_choices; ++i) {
    ppd_choice_t* other = option->choices + i;
    if (other == chosen) continue;
    other->marked = 0;
    if (strcasecmp(option->keyword, "InputSlot") == 0) {
      if (ppd_option_t* manual = findPpdOption(ppd, "ManualFeed")) {
        for (int m = 0; m < manual->num_choices; ++m)
          manual->choices[m].marked = strcasecmp(manual->choices[m].choice, "False") == 0;
      }
    } else if (strcasecmp(option->keyword, "ManualFeed") == 0 &&
               strcasecmp(chosen->choice, "True") == 0) {
      unmarkAll(findPpdOption(ppd, "InputSlot"));
    }
  }
}

// The choice a constraint side stands for: the named one, or for an empty
// name the option's first marked choice unless that is an "off" choice.
ppd_choice_t* constraintChoice(ppd_option_t* option, const char* name) {
  if (name[0]) return findPpdChoice(option, name);
  for (int i = 0; i < option->num_choices; ++i) {
    if (option->choices[i].marked) return isOffChoice(option->choices + i) ? nullptr : option->choices + i;
  }
  return nullptr;
}

}  // namespace

ppd_option_t* findPpdOption(ppd_file_t* ppd, const char* keyword) {
  if (!ppd || !keyword) return nullptr;
  if (ppd->options) {
    ppd_option_t key;
    std::memset(&key, 0, sizeof key);
    std::strncpy(key.keyword, keyword, kKeywordSize - 1);
    return static_cast<ppd_option_t*>(cupsArrayFind(ppd->options, &key));
  }
  for (int g = 0; g < ppd->num_groups; ++g) {
    ppd_group_t* group = ppd->groups + g;
    for (int o = 0; o < group->num_options; ++o) {
      if (strcasecmp(group->options[o].keyword, keyword) == 0) return group->options + o;
    }
  }
  return nullptr;
}

ppd_choice_t* findPpdChoice(ppd_option_t* option, const char* name) {
  if (!option || !name) return nullptr;
  for (int i = 0; i < option->num_choices; ++i) {
    if (strcasecmp(option->choices[i].choice, name) == 0) return option->choices + i;
  }
  return nullptr;
}

int isChoiceMarked(ppd_file_t* ppd, const char* keyword, const char* choiceName) {
  ppd_choice_t* choice = findPpdChoice(findPpdOption(ppd, keyword), choiceName);
  return choice ? choice->marked : 0;
}

ppd_choice_t* findMarkedChoice(ppd_file_t* ppd, const char* keyword) {
  ppd_option_t* option = findPpdOption(ppd, keyword);
  bool verbose = setup().traceLevel > 2;
  if (!option) {
    if (verbose) tracef("findMarkedChoice(%s) = NULL\n", keyword ? keyword : "");
    return nullptr;
  }
  for (int i = 0; i < option->num_choices; ++i) {
    if (option->choices[i].marked) {
      if (verbose) tracef("findMarkedChoice(%s) = %d[%d]\n", keyword, option->num_choices - i, option->num_choices);
      return option->choices + i;
    }
  }
  if (verbose) tracef("findMarkedChoice(%s) = NULL[%d]\n", keyword, option->num_choices);
  return nullptr;
}

int jnPpdMarkOption(ppd_file_t* ppd, const char* keyword, const char* choiceText) {
  if (setup().traceLevel > 2) {
    tracef("jnPpdMarkOption(ppd=%p, option=\"%s\", choice=\"%s\")\n", static_cast<void*>(ppd),
           keyword ? keyword : "(null)", choiceText ? choiceText : "(null)");
  }
  if (!ppd || !keyword || !choiceText) return 0;
  if (strcasecmp(keyword, "AP_D_InputSlot") == 0) unmarkAll(findPpdOption(ppd, "InputSlot"));

  ppd_option_t* option = findPpdOption(ppd, keyword);
  if (!option) return 0;

  ppd_choice_t* chosen = nullptr;
  if (strncasecmp(choiceText, "Custom.", 7) == 0) {
    chosen = findPpdChoice(option, "Custom");
    if (!chosen || !applyCustomValue(ppd, option, choiceText)) return 0;
  } else if (choiceText[0] == '{') {
    chosen = findPpdChoice(option, "Custom");
    if (!chosen) return 0;
    applyParameterList(ppd, option, choiceText);
  } else {
    chosen = findPpdChoice(option, choiceText);
    if (!chosen) return 0;
  }
  markChoice(ppd, option, chosen);
  return jnPpdConflicts(ppd);
}

int jnPpdConflicts(ppd_file_t* ppd) {
  if (!ppd) return 0;
  for (ppd_option_t* option : allOptions(ppd)) option->conflicted = 0;

  int count = 0;
  for (int i = 0; i < ppd->num_consts; ++i) {
    const ppd_const_t* c = ppd->consts + i;
    ppd_option_t* option1 = findPpdOption(ppd, c->option1);
    ppd_option_t* option2 = findPpdOption(ppd, c->option2);
    if (!option1 || !option2) continue;
    ppd_choice_t* choice1 = constraintChoice(option1, c->choice1);
    ppd_choice_t* choice2 = constraintChoice(option2, c->choice2);
    if (!choice1 || !choice2 || !choice1->marked || !choice2->marked) continue;
    if (setup().traceLevel > 2) std::fputs(choice2->choice, stderr);
    option1->conflicted = 1;
    option2->conflicted = 1;
    ++count;
  }
  return count;
}

void markGroupDefaults(ppd_file_t* ppd, ppd_group_t* group) {
  if (!ppd || !group) return;
  for (int o = 0; o < group->num_options; ++o) {
    ppd_option_t* option = group->options + o;
    if (strcasecmp(option->keyword, "PageRegion") == 0) continue;
    jnPpdMarkOption(ppd, option->keyword, option->defchoice);
  }
  for (int s = 0; s < group->num_subgroups; ++s) markGroupDefaults(ppd, group->subgroups + s);
}

void markPpdDefaults(ppd_file_t* ppd) {
  if (!ppd) return;
  for (int g = 0; g < ppd->num_groups; ++g) markGroupDefaults(ppd, ppd->groups + g);
}

std::string describeCustomValues(ppd_file_t* ppd, const char* keyword) {
  ppd_coption_t* coption = ppdFindCustomOption(ppd, keyword);
  if (!coption) return "";
  std::string out;
  for (ppd_cparam_t* p = ppdFirstCustomParam(coption); p; p = ppdNextCustomParam(coption)) {
    char value[64];
    switch (p->type) {
      case PPD_CUSTOM_CURVE:
      case PPD_CUSTOM_INVCURVE:
      case PPD_CUSTOM_REAL:
        std::snprintf(value, sizeof value, "%g", static_cast<double>(p->current.custom_real));
        break;
      case PPD_CUSTOM_POINTS:
        std::snprintf(value, sizeof value, "%.2f", static_cast<double>(p->current.custom_points));
        break;
      case PPD_CUSTOM_INT:
        std::snprintf(value, sizeof value, "%d", p->current.custom_int);
        break;
      default:
        value[0] = '\0';
        break;
    }
    if (!out.empty()) out += " ";
    out += std::string(p->name) + "=";
    if (isStringParam(p)) {
      out += p->current.custom_string ? p->current.custom_string : "";
    } else {
      out += value;
    }
  }
  return out;
}
