// The plan of the option rows (see option_layout.h).
#include "option_layout.h"

#include <algorithm>

#include "option_labels.h"
#include "ppd_choice_helpers.h"
#include "trace.h"

namespace {

constexpr int kRowStep = 40;
constexpr int kFirstRow = 10;
constexpr size_t kTextSize = 256;

void countOptions(ppd_file_t* ppd, OptionLayout* layout) {
  layout->groups = ppd->num_groups;
  for (int g = 0; g < ppd->num_groups; ++g) {
    ppd_group_t* group = &ppd->groups[g];
    bool installable = isInstallableGroup(group);
    for (int o = 0; o < group->num_options; ++o) {
      ppd_option_t* option = &group->options[o];
      if (installable) {
        ++layout->installOptions;
        layout->installChoices += option->num_choices;
      } else if (!isPageRegion(option)) {
        ++layout->printOptions;
        layout->printChoices += option->num_choices;
      }
    }
  }
  if (traceLevel() > 1) {
    tracef("Total=%d[%d], Printer=%d, Install=%d, PrinterChoices=%d, InstallChoices=%d\n",
           layout->installOptions + layout->printOptions, layout->installChoices + layout->printChoices,
           layout->printOptions, layout->installOptions, layout->printChoices, layout->installChoices);
  }
  layout->installHeight = std::max(280, kRowStep * layout->installOptions + kRowStep);
  layout->printHeight = std::max(280, kRowStep * (layout->groups + layout->printOptions) + kRowStep);
}

const char* fieldPrefix(int kind) {
  switch (kind) {
    case kOptionSecuredPassword: return "securePW";
    case kOptionUserId: return "userID";
    default: return "userPW";
  }
}

}  // namespace

std::string optionLabelText(const ppd_option_t* option, const char* encoding) {
  std::string text = ppdTextToLatin1(option->text[0] ? option->text : option->keyword, kTextSize, encoding);
  return text + " :";
}

OptionLayout planOptionRows(ppd_file_t* ppd) {
  OptionLayout layout;
  if (!ppd || ppd->num_groups == 0) return layout;
  countOptions(ppd, &layout);
  int installY = kFirstRow, printY = kFirstRow, k = 0, n = 0;
  for (int g = 0; g < ppd->num_groups; ++g) {
    ppd_group_t* group = &ppd->groups[g];
    bool installable = isInstallableGroup(group);
    if (!installable) {
      OptionRow title;
      title.group = group;
      title.y = printY;
      title.index = k;
      title.name = "dynTxt" + std::to_string(k);
      title.text = centredGroupTitle(ppdTextToLatin1(group->text, kTextSize, ppd->lang_encoding));
      layout.rows.push_back(title);
      printY += kRowStep;
    }
    for (int o = 0; o < group->num_options; ++o) {
      OptionRow row;
      row.group = group;
      row.option = &group->options[o];
      row.kind = getSpecialOptionKind(row.option->keyword);
      if (row.kind == kOptionOrdinary) {
        row.type = kRowMenu;
        row.installablePane = installable;
        row.y = installable ? installY : printY;
        (installable ? installY : printY) += kRowStep;
        row.index = k++;
        row.name = "dynMenu" + std::to_string(row.index);
        row.text = optionLabelText(row.option, ppd->lang_encoding);
      } else if (row.kind == kOptionMailbox ||
                 (row.kind != kOptionPageRegion && n < kSpecialFieldSlots)) {
        row.type = row.kind == kOptionMailbox ? kRowSpin : kRowField;
        row.y = printY;
        printY += kRowStep;
        row.index = row.kind == kOptionMailbox ? n : n++;
        row.name = (row.kind == kOptionMailbox ? std::string("MailBox") : fieldPrefix(row.kind)) +
                   std::to_string(row.index);
      } else {
        if (row.kind != kOptionPageRegion && traceLevel() > 0)
          tracef("createPPDWidgets(%s): all %d field slots taken\n", row.option->keyword, kSpecialFieldSlots);
        else if (traceLevel() > 1)
          tracef("createPPDWidgets(%s)[%d] %d\n", row.option->keyword, k, row.kind);
        continue;
      }
      layout.rows.push_back(row);
    }
  }
  return layout;
}
