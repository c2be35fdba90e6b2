// The CUPS extra options pane (see extra_pane.h).
#include "extra_pane.h"

#include <Xm/Form.h>
#include <Xm/Frame.h>
#include <Xm/PushB.h>
#include <Xm/ScrolledW.h>
#include <Xm/SeparatoG.h>

#include <vector>

#include "help_topics.h"
#include "list_helpers.h"
#include "page_widgets.h"
#include "printers_conf.h"
#include "setup_state.h"
#include "widget_tips.h"

namespace {

// Each entry's place in its menu, with the code it stands for.
struct CodeEntry {
  const char* label;
  int code;
};
const CodeEntry kBannerEntries[] = {{"None", 0},     {"Classified", 1}, {"Confidential", 2},
                                    {"Secret", 4},   {"Standard", 6},   {"top secret", 8},
                                    {"non-classified", 9}};
const CodeEntry kPolicyEntries[] = {{"Stop the queue", 1}, {"Retry job", 2}, {"Abort job", 3}};
const char* const kFrontNames[] = {"menuFrntBnrPage_b0", "menuFrntBnrPage_b1", "menuFrntBnrPage_b2",
                                   "menuFrntBnrPage_b3", "menuFrntBnrPage_b4", "menuFrntBnrPage_b5",
                                   "menuFrntBnrPage_b6"};
const char* const kBackNames[] = {"menuBckBnrPage_b0", "menuBckBnrPage_b1", "menuBckBnrPage_b2",
                                  "menuBckBnrPage_b3", "menuBckBnrPage_b4", "menuBckBnrPage_b5",
                                  "menuBckBnrPage_b6"};
const char* const kPolicyNames[] = {"menuErrorPolicy_b0", "menuErrorPolicy_b1", "menuErrorPolicy_b2"};

// Choosing an entry is not sent to the printing system: it changes nothing.
void entryChosenCB(Widget, XtPointer, XtPointer) {}

template <size_t N>
Widget makeCodeMenu(Widget parent, const char* menu, const char* pulldown, const char* label,
                    const CodeEntry (&entries)[N], const char* const (&names)[N], Widget top,
                    Widget* pulldownOut) {
  std::vector<MenuEntry> table;
  for (size_t i = 0; i < N; ++i) table.push_back({names[i], entries[i].label, entryChosenCB});
  std::vector<Widget> made;
  Widget m = makeOptionMenu(parent, menu, pulldown, label, table, &made, placeBelow(top, 12));
  *pulldownOut = XtParent(made[0]);
  return m;
}

// Puts the menu on the entry of `code`; a code without an entry leaves it.
template <size_t N>
void showCode(Widget menu, const CodeEntry (&entries)[N], int code) {
  if (!menu) return;
  for (size_t i = 0; i < N; ++i) {
    if (entries[i].code == code) showMenuEntry(menu, optionMenuEntry(menu, static_cast<int>(i) + 1));
  }
}

}  // namespace

ExtraPaneWidgets& extraPaneWidgets() {
  static ExtraPaneWidgets widgets;
  return widgets;
}

Widget createExtraConfPane(Widget parent) {
  ExtraPaneWidgets& w = extraPaneWidgets();
  w.window = makePageWidget(xmScrolledWindowWidgetClass, parent, "extraScrlWndw",
                            joinArgs(fillForm(4), {{XmNscrollingPolicy, XmAUTOMATIC}}));
  addTip(w.window, "Current selected PPD options.");
  w.pane = makePageWidget(xmFormWidgetClass, w.window, "extraConfPane");
  w.frontMenu = makeCodeMenu(w.pane, "frontBannerPageMenu", "menuFrntBnrPage", "Front Banner Page: ",
                             kBannerEntries, kFrontNames, nullptr, &w.frontPulldown);
  w.backMenu = makeCodeMenu(w.pane, "backBannerPageMenu", "menuBckBnrPage", "Back Banner Page: ",
                            kBannerEntries, kBackNames, w.frontMenu, &w.backPulldown);
  Widget separator = makePageWidget(xmSeparatorGadgetClass, w.pane, "separatorGadget1",
                                    joinArgs(placeBelow(w.backMenu, 12), {{XmNrightAttachment, XmATTACH_FORM}}));
  w.policyMenu = makeCodeMenu(w.pane, "errorPolicyMenu", "menuErrorPolicy", "Error Policy: ", kPolicyEntries,
                              kPolicyNames, separator, &w.policyPulldown);
  loadCupsOptions(1);
  return w.window;
}

void loadCupsOptions(int read) {
  SetupState& s = setup();
  if (read) {
    int banners = getCUPSInfo(s.printerName, kTopicBanners, nullptr);
    if (banners != -1) {
      s.startBanner = banners & 0xff;
      s.endBanner = (banners >> 8) & 0xff;
    }
    int policy = getCUPSInfo(s.printerName, kTopicErrorPolicy, nullptr);
    if (policy != -1) s.errorPolicy = policy;
  }
  syncBannerMenus();
  syncErrorPolicyMenu();
}

void syncBannerMenus() {
  const SetupState& s = setup();
  showCode(extraPaneWidgets().frontMenu, kBannerEntries, s.startBanner & 0xf);
  showCode(extraPaneWidgets().backMenu, kBannerEntries, s.endBanner & 0xf);
}

void syncErrorPolicyMenu() { showCode(extraPaneWidgets().policyMenu, kPolicyEntries, setup().errorPolicy & 0xf); }

void resetCupsOptions() {
  SetupState& s = setup();
  s.bannersChanged = 0;
  s.errorPolicy = 2;
  s.errorPolicyChanged = 0;
  if (!extraPaneWidgets().pane) return;
  s.startBanner = s.endBanner = 0;
  loadCupsOptions(0);
}

void resetBannerFields() {
  SetupState& s = setup();
  s.startBanner = s.endBanner = s.bannersChanged = 0;
}

void suppressUriChange() { setup().pagesLoading = 1; }

bool extraPaneHelp(Widget picked) {
  ExtraPaneWidgets& w = extraPaneWidgets();
  const std::vector<HelpRow> rows = {
      {&w.window, kHelpExtraConfiguration}, {&w.pane, kHelpExtraConfiguration},
      {&w.frontMenu, kHelpFrontBanner},     {&w.frontPulldown, kHelpFrontBanner},
      {&w.backMenu, kHelpBackBanner},       {&w.backPulldown, kHelpBackBanner},
      {&w.policyMenu, kHelpErrorPolicy},    {&w.policyPulldown, kHelpErrorPolicy},
  };
  return showHelpFor(rows, picked);
}
