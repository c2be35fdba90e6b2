// The rows of the option pages (see option_rows.h).
#include "option_rows.h"

#include <Xm/BulletinB.h>
#include <Xm/Label.h>
#include <Xm/PushB.h>
#include <Xm/RowColumn.h>
#include <Xm/ScrolledW.h>
#include <Xm/TextF.h>

#include <cstdio>
#include <cstring>
#include <new>
#include <string>

#include "colour_scheme.h"
#include "counter.h"
#include "fatal_exit.h"
#include "option_constraints.h"
#include "option_layout.h"
#include "option_pages.h"
#include "page_widgets.h"
#include "ppd_choice_helpers.h"
#include "screen_values.h"
#include "setup_state.h"
#include "text_fields.h"
#include "trace.h"
#include "widget_tips.h"
#include "xm_strings.h"

namespace {

constexpr size_t kTextSize = 256;

Widget makePane(Widget window, const char* name, int height) {
  if (!window) return nullptr;
  Widget pane = makePageWidget(xmBulletinBoardWidgetClass, window, name,
                               {{XmNheight, height}, {XmNmarginWidth, 0}, {XmNmarginHeight, 0},
                                {XmNresizePolicy, XmRESIZE_GROW}});
  XtVaSetValues(window, XmNworkWindow, pane, nullptr);
  return pane;
}

Widget rowLabel(Widget pane, const std::string& name, const char* text, int y) {
  return makeTextLabel(xmLabelWidgetClass, pane, name.c_str(), text, {{XmNx, 10}, {XmNy, y}});
}

int widthOf(Widget w) {
  Dimension width = 0;
  XtVaGetValues(w, XmNwidth, &width, nullptr);
  return width;
}

void buildMenuRow(OptionPagesState& st, const OptionRow& row, Widget pane) {
  ppd_option_t* option = row.option;
  OptionMenuSlot slot;
  slot.option = option;
  slot.pulldown = XmCreatePulldownMenu(pane, const_cast<char*>(row.name.c_str()), nullptr, 0);
  applyColourScheme(slot.pulldown);
  auto& table = row.installablePane ? st.installableChoices : st.printChoices;
  for (int c = 0; c < option->num_choices; ++c) {
    ppd_choice_t* choice = &option->choices[c];
    std::string label = ppdTextToLatin1(choice->text[0] ? choice->text : choice->choice, kTextSize,
                                        st.currentPpd ? st.currentPpd->lang_encoding : nullptr);
    Widget button = makeTextLabel(xmPushButtonWidgetClass, slot.pulldown, (row.name + std::to_string(c)).c_str(),
                                  label.c_str());
    XtAddCallback(button, XmNactivateCallback, DynCallback, choice);
    slot.buttons.push_back(button);
    PpdChoiceState record;
    record.option = option->keyword;
    record.choice = choice->choice;
    record.isCurrent = std::strcmp(choice->choice, option->defchoice) == 0 ? 1 : 0;
    record.button = button;
    table.push_back(record);
  }
  std::string menuName = fromKPL2Ascii(option->text[0] ? option->text : option->keyword, kTextSize);
  XmString label = makeXmString(row.text.c_str());
  Arg args[8];
  Cardinal n = 0;
  XtSetArg(args[n], XmNsubMenuId, slot.pulldown), ++n;
  XtSetArg(args[n], XmNlabelString, label), ++n;
  XtSetArg(args[n], XmNx, 10), ++n;
  XtSetArg(args[n], XmNy, row.y), ++n;
  n = addColourArgs(args, n, pane);
  slot.menu = XmCreateOptionMenu(pane, const_cast<char*>(menuName.c_str()), args, n);
  XmStringFree(label);
  applyColourScheme(XmOptionLabelGadget(slot.menu));
  applyColourScheme(XmOptionButtonGadget(slot.menu));
  if (row.installablePane) XmChangeColor(slot.menu, getColorPixel(slot.menu, "gray"));
  XtManageChild(slot.menu);
  st.menus.push_back(slot);
  if (setup().keepOptions == 0) SetDefault(option);
  if (traceLevel() > 1)
    tracef("createPPDWidgets(%s)[%d] %s\n", option->keyword, row.index, row.installablePane ? "Installable" : "Printer");
}

void buildSpinRow(OptionPagesState& st, const OptionRow& row, Widget pane) {
  Widget label = rowLabel(pane, row.name + "Lbl", "Mail box number          :", row.y);
  Arg args[16];
  Cardinal n = 0;
  XtSetArg(args[n], XmNx, widthOf(label) * 3 / 2), ++n;
  XtSetArg(args[n], XmNy, row.y), ++n;
  XtSetArg(args[n], XmNmaxLength, 3), ++n;
  XtSetArg(args[n], XmNeditable, True), ++n;
  XtSetArg(args[n], XwNformat, XwCOUNTER_DECIMAL), ++n;
  XtSetArg(args[n], XmNminimum, -1), ++n;
  XtSetArg(args[n], XmNmaximum, 99), ++n;
  XtSetArg(args[n], XmNvalue, st.ppdMailbox), ++n;
  XtSetArg(args[n], XmNwidth, 65), ++n;
  XtSetArg(args[n], XmNheight, 25), ++n;
  n = addColourArgs(args, n, pane);
  // A PPD with several mailbox options keeps the last one's spin box.
  st.mailboxSpin = XwCreateCounter(pane, row.name.c_str(), args, n);
  XtAddCallback(st.mailboxSpin, XmNvalueChangedCallback, mailboxSpinCB, nullptr);
  XtManageChild(st.mailboxSpin);
  addTip(st.mailboxSpin, "Number of the box.");
}

void buildFieldRow(OptionPagesState& st, const OptionRow& row, Widget pane) {
  static const char* const kLabels[] = {"Secured Printing Password:", "Account User ID          :",
                                        "Account User Password    :"};
  Widget label = rowLabel(pane, row.name + "Lbl", kLabels[row.kind - kOptionSecuredPassword], row.y);
  int x = widthOf(label) * 3 / 2;
  Widget field = makeTextField(pane, row.name.c_str(), 7, Passwords, true,
                               {{XmNx, x <= 9 ? 100 : x}, {XmNy, row.y}, {XmNwidth, 80}, {XmNheight, 35}});
  XtRemoveAllCallbacks(field, XmNvalueChangedCallback);
  XtAddCallback(field, XmNvalueChangedCallback, Passwords, reinterpret_cast<XtPointer>(static_cast<long>(row.kind)));
  XtAddCallback(field, XmNmodifyVerifyCallback, row.kind == kOptionUserId ? digitsVerifyCB : passwordVerifyCB, nullptr);
  addTip(field, "Name of the queue to create/update.");
  st.specialFields[row.index] = field;
}

void buildRows(OptionPagesState& st, const OptionLayout& layout) {
  for (const OptionRow& row : layout.rows) {
    Widget pane = row.installablePane ? st.instPane : st.configPane;
    switch (row.type) {
      case kRowTitle:
        makeTextLabel(xmLabelWidgetClass, pane, row.name.c_str(), row.text.c_str(), {{XmNx, 10}, {XmNy, row.y}});
        break;
      case kRowMenu: buildMenuRow(st, row, pane); break;
      case kRowSpin: buildSpinRow(st, row, pane); break;
      case kRowField: buildFieldRow(st, row, pane); break;
    }
  }
}

}  // namespace

void createPPDWidgets(ppd_file_t* ppd) {
  OptionPagesState& st = optionPages();
  if (!ppd || ppd->num_groups == 0) return;
  deleteDynamicWidgets();
  OptionLayout layout = planOptionRows(ppd);
  try {
    st.menus.reserve(static_cast<size_t>(layout.installOptions + layout.printOptions));
    st.installableChoices.reserve(static_cast<size_t>(layout.installChoices));
    st.printChoices.reserve(static_cast<size_t>(layout.printChoices));
  } catch (const std::bad_alloc&) {
    std::perror("Dynamic Child Widgets");
    throw FatalExit(1, "Dynamic Child Widgets");
  }
  const OptionPageWidgets& w = optionPageWidgets();
  st.instPane = makePane(w.instWindow, "ppdInstScrlPane", layout.installHeight);
  st.configPane = makePane(w.configWindow, "ppdConfigScrlPane", layout.printHeight);
  if (st.instPane && st.configPane) buildRows(st, layout);
  updateCurrentOptions();
  setDynamicData();
  resetChangedOptions();
  st.widgetsPresent = true;
  setup().ppdConfigReady = 1;  // Save may now rewrite the configuration file
}

void deleteDynamicWidgets() {
  OptionPagesState& st = optionPages();
  if (!st.widgetsPresent && !st.instPane && !st.configPane) return;
  for (Widget* pane : {&st.instPane, &st.configPane}) {
    if (*pane) XtDestroyWidget(*pane);
    *pane = nullptr;
  }
  if (optionPageWidgets().page) flushDisplay(optionPageWidgets().page);
  st.menus.clear();
  st.installableChoices.clear();
  st.printChoices.clear();
  for (Widget& field : st.specialFields) field = nullptr;
  st.mailboxSpin = nullptr;
  st.widgetsPresent = false;
  if (traceLevel() > 0) tracef("deleteDynamicWidgets(%d)\n", 1);
}

OptionMenuSlot* getOptionMenuWidget(const ppd_option_t* option) {
  for (OptionMenuSlot& slot : optionPages().menus) {
    if (isSameOption(slot.option, option)) return &slot;
  }
  return nullptr;
}

Widget getWidgetFromOpion(ppd_file_t* ppd, const ppd_option_t* option, const ppd_choice_t* choice) {
  OptionPagesState& st = optionPages();
  if (!option || !choice) return nullptr;
  const auto& table = isInstallableOption(ppd, option) ? st.installableChoices : st.printChoices;
  for (const PpdChoiceState& r : table) {
    if (r.option == option->keyword && r.choice == choice->choice) return r.button;
  }
  if (traceLevel() > 0) tracef("getWidgetFromOpion=NULL (%s,%s)\n", option->keyword, choice->choice);
  return nullptr;
}

void SetDefault(ppd_option_t* option) {
  OptionMenuSlot* slot = getOptionMenuWidget(option);
  if (!slot) return;
  for (int c = 0; c < option->num_choices && c < static_cast<int>(slot->buttons.size()); ++c) {
    if (!isDefaultChoice(option, &option->choices[c])) continue;
    if (traceLevel() > 2) tracef("SetDefault(%s :: %s)\n", option->keyword, option->choices[c].choice);
    showMenuEntry(slot->menu, slot->buttons[static_cast<size_t>(c)]);
    return;
  }
}

int RestoreDynamicData() {
  ppd_file_t* ppd = optionPages().currentPpd;
  if (!ppd) return 0;
  for (int g = 0; g < ppd->num_groups; ++g) {
    ppd_group_t* group = &ppd->groups[g];
    for (int o = 0; o < group->num_options; ++o) {
      ppd_option_t* option = &group->options[o];
      if (!isOrdinaryOption(option->keyword)) continue;
      if (traceLevel() > 2) tracef("GroupLoop[%d:%d:%s]\n", g, o, option->keyword);
      ppd_choice_t* marked = firstMarkedChoice(option);
      OptionMenuSlot* slot = getOptionMenuWidget(option);
      if (!marked || !slot) {
        if (traceLevel() > 2) tracef("RestoreDynamicData(%s :: %s)=NULL!!!\n", option->keyword, option->defchoice);
        SetDefault(option);
        continue;
      }
      if (traceLevel() > 2) tracef("RestoreDynamicData(%s :: %s)\n", option->keyword, marked->choice);
      auto index = static_cast<size_t>(marked - option->choices);
      if (index < slot->buttons.size()) showMenuEntry(slot->menu, slot->buttons[index]);
    }
  }
  return 1;
}
