// Scrolled-list and option-menu accessors.
#include "list_helpers.h"

#include <Xm/List.h>
#include <Xm/PushB.h>
#include <Xm/RowColumn.h>

#include <algorithm>
#include <cctype>

#include "xm_strings.h"

namespace {

std::string upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

std::vector<std::string> allItems(Widget list) {
  XmStringTable items = nullptr;
  int count = 0;
  XtVaGetValues(list, XmNitems, &items, XmNitemCount, &count, nullptr);
  std::vector<std::string> out;
  for (int i = 0; i < count; ++i) out.push_back(xmStringToText(items[i]));
  return out;
}

Widget pulldownOf(Widget optionMenu) {
  Widget sub = nullptr;
  XtVaGetValues(optionMenu, XmNsubMenuId, &sub, nullptr);
  return sub;
}

std::vector<Widget> pulldownEntries(Widget optionMenu) {
  std::vector<Widget> out;
  Widget sub = pulldownOf(optionMenu);
  if (!sub) return out;
  WidgetList children = nullptr;
  Cardinal count = 0;
  XtVaGetValues(sub, XmNchildren, &children, XmNnumChildren, &count, nullptr);
  for (Cardinal i = 0; i < count; ++i) out.push_back(children[i]);
  return out;
}

}  // namespace

int listFirstSelected(Widget list) {
  std::vector<int> p = listSelectedPositions(list);
  return p.empty() ? 0 : p.front();
}

std::vector<int> listSelectedPositions(Widget list) {
  int* positions = nullptr;
  int count = 0;
  std::vector<int> out;
  if (XmListGetSelectedPos(list, &positions, &count)) {
    out.assign(positions, positions + count);
    XtFree(reinterpret_cast<char*>(positions));
  }
  return out;
}

int listSelectedCount(Widget list) {
  int count = 0;
  XtVaGetValues(list, XmNselectedItemCount, &count, nullptr);
  return count;
}

std::vector<std::string> listSelectedTexts(Widget list) {
  XmStringTable items = nullptr;
  int count = 0;
  XtVaGetValues(list, XmNselectedItems, &items, XmNselectedItemCount, &count, nullptr);
  std::vector<std::string> out;
  for (int i = 0; i < count; ++i) out.push_back(xmStringToText(items[i]));
  return out;
}

std::string listFirstSelectedText(Widget list) {
  std::vector<std::string> t = listSelectedTexts(list);
  return t.empty() ? std::string() : t.front();
}

void listAddItem(Widget list, const std::string& text) {
  XmString s = XmStringCreateLocalized(const_cast<char*>(text.c_str()));
  XmListAddItemUnselected(list, s, 0);
  XmStringFree(s);
}

void listSetItems(Widget list, const std::vector<std::string>& texts) {
  std::vector<XmString> items;
  for (const auto& t : texts) items.push_back(XmStringCreateLocalized(const_cast<char*>(t.c_str())));
  XmListDeleteAllItems(list);
  if (!items.empty()) XmListAddItems(list, items.data(), static_cast<int>(items.size()), 0);
  for (XmString s : items) XmStringFree(s);
}

void listReplaceItem(Widget list, int position, const std::string& text) {
  XmString s = XmStringCreateLocalized(const_cast<char*>(text.c_str()));
  XmListReplaceItemsPos(list, &s, 1, position);
  XmListSelectPos(list, position, False);
  XmStringFree(s);
}

void listSortItems(Widget list) {
  std::vector<std::string> items = allItems(list);
  std::stable_sort(items.begin(), items.end(),
                   [](const std::string& a, const std::string& b) { return upper(a) < upper(b); });
  listSetItems(list, items);
}

void listCenterPosition(Widget list, int position) {
  int visible = 0, count = 0;
  XtVaGetValues(list, XmNvisibleItemCount, &visible, XmNitemCount, &count, nullptr);
  if (count == 0 || position < 1) return;
  int top = std::max(1, position - visible / 2);
  top = std::min(top, std::max(1, count - visible + 1));
  XmListSetPos(list, top);
}

Widget optionMenuEntry(Widget optionMenu, int n) {
  std::vector<Widget> entries = pulldownEntries(optionMenu);
  if (n < 1 || static_cast<size_t>(n) > entries.size()) return nullptr;
  return entries[static_cast<size_t>(n - 1)];
}

int optionMenuPosition(Widget optionMenu) {
  Widget current = nullptr;
  XtVaGetValues(optionMenu, XmNmenuHistory, &current, nullptr);
  std::vector<Widget> entries = pulldownEntries(optionMenu);
  for (size_t i = 0; i < entries.size(); ++i) {
    if (entries[i] == current) return static_cast<int>(i + 1);
  }
  return 0;
}

void optionMenuSelect(Widget optionMenu, int n) {
  if (Widget entry = optionMenuEntry(optionMenu, n)) XtVaSetValues(optionMenu, XmNmenuHistory, entry, nullptr);
}

std::string optionMenuLabel(Widget optionMenu) {
  Widget current = nullptr;
  XtVaGetValues(optionMenu, XmNmenuHistory, &current, nullptr);
  if (!current) return std::string();
  XmString label = nullptr;
  XtVaGetValues(current, XmNlabelString, &label, nullptr);
  std::string text = xmStringToText(label);
  XmStringFree(label);
  return text;
}

Widget optionMenuAddEntry(Widget optionMenu, const std::string& label) {
  Widget sub = pulldownOf(optionMenu);
  if (!sub) return nullptr;
  XmString s = XmStringCreateLocalized(const_cast<char*>(label.c_str()));
  Widget b = XtVaCreateManagedWidget(label.c_str(), xmPushButtonWidgetClass, sub, XmNlabelString, s, nullptr);
  XmStringFree(s);
  return b;
}
