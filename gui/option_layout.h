// The rows of the option pages planned from a PPD, without the toolkit:
// which widget each option gets, in which pane, at which height and under
// which name. The page's builder makes the widgets from this plan.
#pragma once

#include <cups/ppd.h>

#include <string>
#include <vector>

enum OptionRowType { kRowTitle, kRowMenu, kRowSpin, kRowField };

struct OptionRow {
  OptionRowType type = kRowTitle;
  ppd_group_t* group = nullptr;
  ppd_option_t* option = nullptr;  // null for a title
  int kind = 0;                    // the option's kind (option_labels.h)
  bool installablePane = false;    // the row's pane: installable or print options
  int y = 10;
  int index = 0;                   // running option number (menus) or field number
  std::string name;                // "dynTxt%d", "dynMenu%d", "MailBox%d", "securePW%d", ...
  std::string text;                // the title, or the option's label
};

struct OptionLayout {
  int installOptions = 0, installChoices = 0, printOptions = 0, printChoices = 0, groups = 0;
  int installHeight = 280, printHeight = 280;
  std::vector<OptionRow> rows;
};

// Counts the options and choices of both sides (PageRegion left out of the
// print side only) and plans every row. Special text fields past the tenth
// get no row (traced). An empty layout for no PPD or no groups.
OptionLayout planOptionRows(ppd_file_t* ppd);

// The option's label: "%s :" with its text converted by the PPD's encoding
// (ppdTextToLatin1), or its keyword.
std::string optionLabelText(const ppd_option_t* option, const char* encoding);
