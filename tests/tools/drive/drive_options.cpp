// The driver's option-page steps (see drive_options.h).
#include "drive_options.h"

#include <Xm/ScrolledW.h>
#include <Xm/RowColumn.h>

#include "option_pages.h"
#include "option_rows.h"
#include "option_sending.h"
#include "page_navigation.h"
#include "ppd_choice_helpers.h"
#include "ppd_chooser.h"
#include "ppd_marking.h"
#include "ppd_search.h"
#include "ppd_session.h"
#include "process_runner.h"
#include "setup_state.h"
#include "x11_core.h"

namespace {

OptionMenuSlot* slotOf(const std::string& keyword) {
  ppd_file_t* ppd = optionPages().currentPpd;
  ppd_option_t* option = ppd ? findPpdOption(ppd, keyword.c_str()) : nullptr;
  return option ? getOptionMenuWidget(option) : nullptr;
}

// Shows the page and pane of an option and scrolls its menu into view.
void bringOnScreen(OptionMenuSlot* slot) {
  bool installable = isInstallableOption(optionPages().currentPpd, slot->option);
  if (setup().panelMode != (installable ? kPageDeviceOptions : kPagePrintOptions)) {
    ManageMainForm(installable ? kPageDeviceOptions : kPagePrintOptions);
  }
  optionPages().ppdScrlWindMode = installable ? 1 : 2;
  showOptionPane(installable ? 1 : 2);
  x11core::pumpUntilIdle();
  const OptionPageWidgets& w = optionPageWidgets();
  XmScrollVisible(installable ? w.instWindow : w.configWindow, slot->menu, 10, 10);
  x11core::pumpUntilIdle();
}

}  // namespace

Widget choiceOnScreen(const std::string& keyword, const std::string& choice) {
  OptionMenuSlot* slot = slotOf(keyword);
  ppd_choice_t* c = slot ? findPpdChoice(slot->option, choice.c_str()) : nullptr;
  if (!c) return nullptr;
  bringOnScreen(slot);
  return slot->buttons[static_cast<size_t>(c - slot->option->choices)];
}

Widget optionMenuOnScreen(const std::string& keyword) {
  OptionMenuSlot* slot = slotOf(keyword);
  if (!slot) return nullptr;
  bringOnScreen(slot);
  return slot->menu;
}

std::vector<std::string> optionLines() {
  std::vector<std::string> lines;
  for (const OptionMenuSlot& slot : optionPages().menus) {
    Widget shown = nullptr;
    XtVaGetValues(slot.menu, XmNmenuHistory, &shown, nullptr);
    for (size_t i = 0; i < slot.buttons.size(); ++i) {
      lines.push_back(std::string(slot.option->keyword) + " " + slot.option->choices[i].choice +
                      (slot.buttons[i] == shown ? " shown" : " -") + (XtIsSensitive(slot.buttons[i]) ? " on" : " off"));
    }
  }
  return lines;
}

bool callOptionFunction(const std::string& name, const std::string& arg, int* result) {
  if (name == "openPpd") {
    setup().ppdFile = arg;
    *result = openPpd(arg);
  } else if (name == "closePpd") {
    closePpd();
  } else if (name == "updatePPDOption") {
    *result = updatePPDOption(setup().printerName, nullptr);
  } else if (name == "failedOptions") {  // sends as updatePPDOption: the number that failed
    std::vector<std::string> failed;
    updatePPDOption(setup().printerName, &failed);
    *result = static_cast<int>(failed.size());
  } else if (name == "showPpdFileBox") {
    showPpdFileBox();
  } else if (name == "chooseModel") {
    ppdChooserSelection() = arg;
    *result = takeChosenModel() ? 1 : 0;
  } else if (name == "listPPD") {
    std::vector<std::string> items;
    *result = listPPD(&items);
  } else {
    return false;
  }
  return true;
}

bool scrollIntoView(Widget w) {
  Widget window = XtParent(w);
  while (window && !XmIsScrolledWindow(window)) window = XtParent(window);
  if (!window) return false;
  for (Widget p = window; p && !XtIsShell(p); p = XtParent(p)) {
    if (p == optionPageWidgets().page && setup().panelMode != kPageDeviceOptions && setup().panelMode != kPagePrintOptions)
      ManageMainForm(window == optionPageWidgets().instWindow ? kPageDeviceOptions : kPagePrintOptions);
  }
  x11core::pumpUntilIdle();
  XmScrollVisible(window, w, 10, 10);
  x11core::pumpUntilIdle();
  return true;
}

bool writeScreenshot(const std::string& path) {
  x11core::pumpUntilIdle();
  XSync(x11core::display(), False);
  Command cmd({"import", "-window", "root", path}, "import -window root " + path);
  return runCommand(cmd, 0, RunMode::Quiet) == 0;
}
