// The main queue list (see queue_list_view.h).
#include "queue_list_view.h"

#include <Xm/List.h>

#include <cstdio>

#include "callback_guard.h"
#include "main_window.h"
#include "page_hooks.h"
#include "page_navigation.h"
#include "queue_actions.h"
#include "queue_list.h"
#include "setup_state.h"
#include "string_helpers.h"
#include "xm_strings.h"

namespace {

// The tag of the list font in the fallback resources.
char kListTag[] = "TAGC";
constexpr size_t kRowTextMax = 256;

// The back end's view of the main list widget.
class MainQueueList : public QueueListView {
 public:
  void deleteAllItems() override {
    Widget list = mainWidgets().queueList;
    if (list) XmListDeleteAllItems(list);
  }
  void setHeightFor(int itemCount) override { setQueueListHeight(itemCount); }
  void addItemsAtEnd(const std::vector<std::string>& items) override {
    Widget list = mainWidgets().queueList;
    if (!list || items.empty()) return;
    std::vector<XmString> strings;
    strings.reserve(items.size());
    for (const std::string& item : items) {
      strings.push_back(XmStringCreate(const_cast<char*>(item.c_str()), kListTag));
    }
    XmListAddItemsUnselected(list, strings.data(), static_cast<int>(strings.size()), 0);
    for (XmString s : strings) XmStringFree(s);
  }
};

}  // namespace

void refreshQueueList() {
  MainQueueList view;
  fillSystemQueueList(&view);
}

void setQueueListRows(const std::vector<std::string>& rows) {
  MainQueueList view;
  view.deleteAllItems();
  if (rows.empty()) return;
  view.setHeightFor(static_cast<int>(rows.size()));
  view.addItemsAtEnd(rows);
}

std::string queueNameOfRow(const std::string& row) {
  std::string text = row;
  trimRight(text, kRowTextMax - 1);
  return text;
}

void showMainQueueName(const std::string& name) {
  Widget label = mainWidgets().queueNameLabel;
  if (!label) return;
  XmString text = makeXmString(centerLabelText(name).c_str());
  XtVaSetValues(label, XmNlabelString, text, nullptr);
  XmStringFree(text);
}

void showPickedQueueName(const std::string& name) {
  SetupState& s = setup();
  std::string clean = stripQueueMarker(name);
  s.printerName = clean;
  cutField(s.printerName, kPrinterNameSize);
  showMainQueueName(s.printerName);
  if (clean.empty()) {
    s.queueExists = 0;
    s.queueManaged = 0;
  } else {
    s.queueExists = isSystemQueue(clean);
    s.queueManaged = isManagedPrinter(recordNameOf(clean));
  }
  setTestPrintSensitive(s.queueExists && !s.createMode);
}

void queueListCB(Widget w, XtPointer, XtPointer callData) {
  auto* cbs = static_cast<XmListCallbackStruct*>(callData);
  if (!cbs) return;
  runGuarded(w, [cbs] {
    PageHooks& h = pageHooks();
    if (cbs->reason != XmCR_SINGLE_SELECT && cbs->reason != XmCR_DEFAULT_ACTION) {
      std::fprintf(stderr, "NoGood Reason: %d\n", cbs->reason);
      if (h.setQueueName) h.setQueueName(nullptr, 0);
      else showPickedQueueName(std::string());
      showMainQueueName(std::string());
      return;
    }
    std::string name = queueNameOfRow(xmStringToText(cbs->item));
    // What was changed on the pages belongs to the queue they hold: picking
    // another one drops it, so that nothing of it reaches either queue.
    if (stripQueueMarker(name) != pagesQueue().name) dropPendingChanges();
    if (h.setQueueName) h.setQueueName(name.c_str(), 1);
    else showPickedQueueName(name);
    showMainQueueName(stripQueueMarker(name));
  });
}

void queueFilterCB(Widget w, XtPointer clientData, XtPointer callData) {
  auto* cbs = static_cast<XmToggleButtonCallbackStruct*>(callData);
  if (cbs && !cbs->set) return;
  runGuarded(w, [clientData] {
    setup().queueListFilter = static_cast<int>(reinterpret_cast<long>(clientData));
    refreshQueueList();
  });
}
