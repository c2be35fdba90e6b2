// Small questions about the open PPD's groups, options and choices that the
// option pages, their constraint walk and the sending of options ask, on
// libcups's PPD records. None of them changes the PPD.
#pragma once

#include <cups/ppd.h>

#include <functional>

// The group holding the installable options.
constexpr char kInstallableGroup[] = "InstallableOptions";

bool isInstallableGroup(const ppd_group_t* group);
// Calls `visit` for every option of the PPD in file order, with whether its
// group is the installable one.
void forEachOption(ppd_file_t* ppd, const std::function<void(ppd_option_t*, bool installable)>& visit);
// 1 only when the PPD's first group is the installable one.
int firstGroupIsInstallable(const ppd_file_t* ppd);
// The group holding the option (by keyword); traces when there is none.
ppd_group_t* findOptionGroup(ppd_file_t* ppd, const ppd_option_t* option);
bool isInstallableOption(ppd_file_t* ppd, const ppd_option_t* option);
// The choice whose keyword equals the option's default choice, or null.
ppd_choice_t* getDefaultChoice(ppd_option_t* option);
// The option's first marked choice, or null.
ppd_choice_t* firstMarkedChoice(ppd_option_t* option);
// Same keyword (exact) and the same number of choices.
bool isSameOption(const ppd_option_t* a, const ppd_option_t* b);
bool isPageRegion(const ppd_option_t* option);
// Same name and the same number of options.
bool isSameGroup(const ppd_group_t* a, const ppd_group_t* b);
bool isDefaultChoice(const ppd_option_t* option, const ppd_choice_t* choice);
bool isSameChoice(const ppd_choice_t* a, const ppd_choice_t* b);
// The first ordinary option with choices that holds a choice of that name.
ppd_option_t* findOptionWithChoice(ppd_file_t* ppd, const char* choiceName);
// A choice keyword that stands for no value of the other option of a
// constraint: "None", "Off" or "False" in any case.
bool isOffWord(const char* keyword);

// Marks the default choice of every option but PageRegion; 0 for no PPD or
// no groups, else 1.
int markDefaultChoices(ppd_file_t* ppd);
// Traces every marked choice above level 1; returns their count.
int dumpMarkedOptions(ppd_file_t* ppd);
