// Scrolled-list and option-menu accessors shared by the pages.
#pragma once

#include <Xm/Xm.h>

#include <string>
#include <vector>

// 1-based position of the first selected item, 0 when none.
int listFirstSelected(Widget list);
// All selected positions (1-based).
std::vector<int> listSelectedPositions(Widget list);
int listSelectedCount(Widget list);
// The selected items as texts, and the first one ("" when none).
std::vector<std::string> listSelectedTexts(Widget list);
std::string listFirstSelectedText(Widget list);
// Appends one item at the end.
void listAddItem(Widget list, const std::string& text);
// Replaces all items by the texts.
void listSetItems(Widget list, const std::vector<std::string>& texts);
// Replaces the item at a 1-based position and selects it.
void listReplaceItem(Widget list, int position, const std::string& text);
// Sorts the items in ascending order of their upper-cased texts.
void listSortItems(Widget list);
// Scrolls so that a 1-based position stands in the middle of the view.
void listCenterPosition(Widget list, int position);

// The n-th (1-based) entry of an option menu's pulldown, or null.
Widget optionMenuEntry(Widget optionMenu, int n);
// 1-based position of the option menu's current entry, 0 when none.
int optionMenuPosition(Widget optionMenu);
// Makes entry n (1-based) the current one.
void optionMenuSelect(Widget optionMenu, int n);
// The label text of the current entry.
std::string optionMenuLabel(Widget optionMenu);
// Adds a push button with a label to the option menu's pulldown.
Widget optionMenuAddEntry(Widget optionMenu, const std::string& label);
