// The main window (see main_window.h).
#include "main_window.h"

#include <X11/Shell.h>
#include <Xm/Form.h>
#include <Xm/Label.h>
#include <Xm/List.h>
#include <Xm/PushB.h>
#include <Xm/ScrolledW.h>
#include <Xm/SeparatoG.h>

#include "colour_scheme.h"
#include "dialog_shells.h"
#include "main_menus.h"
#include "message_page.h"
#include "page_forms.h"
#include "page_hooks.h"
#include "page_navigation.h"
#include "program_bitmaps.h"
#include "queue_list_view.h"
#include "screen_values.h"
#include "setup_state.h"
#include "string_helpers.h"
#include "thumb_index.h"
#include "widget_tips.h"
#include "wizard_pages.h"
#include "xm_strings.h"

const char kVersionTitle[] = "Jarn 2.0-10";

namespace {

bool logoShown = true;
constexpr int kSideWidth = 170;  // the queue list's column
const char kQueueListTip[] = "List with current printer (queues).";

// One of the three main buttons: its name, caption, text label, images, tip.
struct MainButton {
  const char* name;
  const char* captionName;
  const char* caption;
  const char* textLabel;
  int image;
  int armImage;
  const char* tip;
  XtCallbackProc callback;
};

void helpMainCB(Widget, XtPointer, XtPointer) {
  if (pageHooks().helpMode) pageHooks().helpMode();
}

const MainButton kButtons[3] = {
    {"okMainPB", "okMainLbl", "OK", "OK", kImgOK, kImgOKInv, "OK or validate button.", okMainCB},
    {"helpMainPB", "helpMainLbl", "Help", "Help", kImgHelp, kImgHelpInv,
     "HELP button. Click and then select element.", helpMainCB},
    {"quitMainPB", "quitMainLbl", "Quit", "Cancel", kImgNo, kImgNoInv,
     "QUIT button. Abandons without update.", quitMainCB},
};

Widget makeLabel(Widget parent, const char* name, const char* text, Arg* args, Cardinal n) {
  XmString s = makeXmString(text);
  XtSetArg(args[n], XmNlabelString, s), ++n;
  n = addColourArgs(args, n, parent);
  Widget w = XmCreateLabel(parent, const_cast<char*>(name), args, n);
  XmStringFree(s);
  XtManageChild(w);
  return w;
}

// A main button with its caption under it; `left` places it from the left
// edge (>= 0) or from the right edge (< 0).
Widget makeMainButton(Widget form, const MainButton& b, int position, Widget* captionOut) {
  const ButtonImages& images = programImages();
  Pixmap pix = images.pixmaps[static_cast<size_t>(b.image)];
  Pixmap arm = images.pixmaps[static_cast<size_t>(b.armImage)];
  Arg args[16];
  Cardinal n = 0;
  XtSetArg(args[n], XmNbottomAttachment, XmATTACH_FORM), ++n;
  XtSetArg(args[n], XmNbottomOffset, 4), ++n;
  XtSetArg(args[n], XmNleftAttachment, XmATTACH_POSITION), ++n;
  XtSetArg(args[n], XmNleftPosition, position), ++n;
  Widget caption = makeLabel(form, b.captionName, b.caption, args, n);

  n = 0;
  XtSetArg(args[n], XmNbottomAttachment, XmATTACH_WIDGET), ++n;
  XtSetArg(args[n], XmNbottomWidget, caption), ++n;
  XtSetArg(args[n], XmNleftAttachment, XmATTACH_POSITION), ++n;
  XtSetArg(args[n], XmNleftPosition, position), ++n;
  XmString text = makeXmString(b.textLabel);
  XtSetArg(args[n], XmNlabelString, text), ++n;
  if (setup().colourMode >= 0 && pix) {
    XtSetArg(args[n], XmNlabelType, XmPIXMAP), ++n;
    XtSetArg(args[n], XmNlabelPixmap, pix), ++n;
    if (arm) XtSetArg(args[n], XmNarmPixmap, arm), ++n;
  }
  n = addColourArgs(args, n, form);
  Widget button = XmCreatePushButton(form, const_cast<char*>(b.name), args, n);
  XmStringFree(text);
  XtAddCallback(button, XmNactivateCallback, b.callback, nullptr);
  XtManageChild(button);
  // The caption sits centred under its button.
  Dimension bw = 0, cw = 0;
  XtVaGetValues(button, XmNwidth, &bw, nullptr);
  XtVaGetValues(caption, XmNwidth, &cw, nullptr);
  if (bw > cw) XtVaSetValues(caption, XmNleftOffset, static_cast<int>((bw - cw) / 2), nullptr);
  else XtVaSetValues(button, XmNleftOffset, static_cast<int>((cw - bw) / 2), nullptr);
  addTip(button, b.tip);
  addTip(caption, b.tip);
  *captionOut = caption;
  return button;
}

Widget makeTabStrip(Widget form, Widget left, Widget top) {
  Arg args[16];
  Cardinal n = 0;
  XtSetArg(args[n], XmNtopAttachment, XmATTACH_WIDGET), ++n;
  XtSetArg(args[n], XmNtopWidget, top), ++n;
  XtSetArg(args[n], XmNtopOffset, 4), ++n;
  XtSetArg(args[n], XmNleftAttachment, XmATTACH_WIDGET), ++n;
  XtSetArg(args[n], XmNleftWidget, left), ++n;
  XtSetArg(args[n], XmNleftOffset, 4), ++n;
  XtSetArg(args[n], XmNrightAttachment, XmATTACH_FORM), ++n;
  XtSetArg(args[n], XmNrightOffset, 4), ++n;
  XtSetArg(args[n], XmNheight, 30), ++n;
  XtSetArg(args[n], XwNnumIndices, kTabCount), ++n;
  XtSetArg(args[n], XwNindexLabels, const_cast<char**>(kTabLabels)), ++n;
  XtSetArg(args[n], XmNhighlightColor, getColorPixel(form, "red")), ++n;
  if (!hasColourScheme()) XtSetArg(args[n], XwNindexColor, getColorPixel(form, "blue")), ++n;
  // On white the selected tab takes the white background: its text is black.
  if (setup().colourMode == 2) XtSetArg(args[n], XwNindexTextColor, getColorPixel(form, "black")), ++n;
  n = addColourArgs(args, n, form);
  Widget strip = XwCreateThumbIndex(form, "indexThumb", args, n);
  XtAddCallback(strip, XmNactivateCallback, thumbIndexCB, nullptr);
  XtManageChild(strip);
  addTip(strip, "Select the current active form.");
  return strip;
}

Widget makeLogo(Widget form, Widget bottom) {
  Display* dpy = XtDisplay(form);
  Pixel fg = 0, bg = 0;
  XtVaGetValues(form, XmNforeground, &fg, XmNbackground, &bg, nullptr);
  if (hasColourScheme()) {
    fg = getColorPixel(form, setup().colourMode == 3 ? "white" : "black");
    bg = getColorPixel(form, setup().colourMode == 2 ? "white" : "gray");
  }
  Pixmap logo = XCreatePixmapFromBitmapData(
      dpy, RootWindowOfScreen(XtScreen(form)), reinterpret_cast<char*>(const_cast<unsigned char*>(kJarnLogoBits)),
      static_cast<unsigned>(kJarnLogoWidth), static_cast<unsigned>(kJarnLogoHeight), fg, bg,
      static_cast<unsigned>(DefaultDepthOfScreen(XtScreen(form))));
  Arg args[12];
  Cardinal n = 0;
  XtSetArg(args[n], XmNlabelType, XmPIXMAP), ++n;
  XtSetArg(args[n], XmNlabelPixmap, logo), ++n;
  XtSetArg(args[n], XmNbottomAttachment, XmATTACH_WIDGET), ++n;
  XtSetArg(args[n], XmNbottomWidget, bottom), ++n;
  XtSetArg(args[n], XmNbottomOffset, 4), ++n;
  XtSetArg(args[n], XmNleftAttachment, XmATTACH_FORM), ++n;
  XtSetArg(args[n], XmNleftOffset, 4), ++n;
  XtSetArg(args[n], XmNwidth, kSideWidth), ++n;
  XtSetArg(args[n], XmNrecomputeSize, False), ++n;
  n = addColourArgs(args, n, form);
  Widget label = XmCreateLabel(form, const_cast<char*>("compLogolabel"), args, n);
  if (logoShown) XtManageChild(label);
  return label;
}

Widget makeQueueList(Widget form, Widget top, Widget bottom, MainWidgets& m) {
  Arg args[16];
  Cardinal n = 0;
  XtSetArg(args[n], XmNtopAttachment, XmATTACH_WIDGET), ++n;
  XtSetArg(args[n], XmNtopWidget, top), ++n;
  XtSetArg(args[n], XmNtopOffset, 4), ++n;
  XtSetArg(args[n], XmNleftAttachment, XmATTACH_FORM), ++n;
  XtSetArg(args[n], XmNleftOffset, 4), ++n;
  XtSetArg(args[n], XmNwidth, kSideWidth), ++n;
  XtSetArg(args[n], XmNbottomAttachment, XmATTACH_WIDGET), ++n;
  XtSetArg(args[n], XmNbottomWidget, bottom), ++n;
  XtSetArg(args[n], XmNbottomOffset, 4), ++n;
  // The list scrolls its own items, so that every queue can be reached
  // whatever the window's height.
  XtSetArg(args[n], XmNscrollingPolicy, XmAPPLICATION_DEFINED), ++n;
  XtSetArg(args[n], XmNscrollBarDisplayPolicy, XmSTATIC), ++n;
  n = addColourArgs(args, n, form);
  Widget window = XmCreateScrolledWindow(form, const_cast<char*>("prntrLstScrlWndw"), args, n);
  XtManageChild(window);

  n = 0;
  XtSetArg(args[n], XmNselectionPolicy, XmSINGLE_SELECT), ++n;
  XtSetArg(args[n], XmNlistSizePolicy, XmCONSTANT), ++n;
  XtSetArg(args[n], XmNscrollBarDisplayPolicy, XmAS_NEEDED), ++n;
  n = addColourArgs(args, n, form);
  Widget list = XmCreateList(window, const_cast<char*>("printerScrlList"), args, n);
  XtAddCallback(list, XmNsingleSelectionCallback, queueListCB, nullptr);
  XtAddCallback(list, XmNdefaultActionCallback, queueListCB, nullptr);
  XtManageChild(list);
  addTip(list, kQueueListTip);
  m.queueListWindow = window;
  return list;
}

void formDestroyedCB(Widget w, XtPointer, XtPointer) { exitCB(w, nullptr, nullptr); }

}  // namespace

MainWidgets& mainWidgets() {
  static MainWidgets widgets;
  return widgets;
}

ButtonImages& programImages() {
  static ButtonImages images;
  return images;
}

void setLogoShown(bool on) { logoShown = on; }
bool isLogoShown() { return logoShown; }

const char* systemKindSuffix(int osKind) {
  static const char* const kSuffixes[12] = {
      " (UNIX)",  " (Solaris)", " (SunOS)", " (IRIX)",      " (HP-UX)",   " (AIX)",
      " (Linux)", " (Compac)",  " (UNIX)",  " (SCO)", " (UnixWare)", " (OpenUNIX)",
  };
  return (osKind >= 1 && osKind <= 11) ? kSuffixes[osKind] : " (UNIX)";
}

Widget createMainWindow(Widget appShell, int width, int height) {
  MainWidgets& m = mainWidgets();
  SetupState& s = setup();
  m.appShell = appShell;
  Display* dpy = XtDisplay(appShell);
  std::string title = std::string(kVersionTitle) + systemKindSuffix(s.osKind);
  Pixmap icon = XCreateBitmapFromData(dpy, RootWindowOfScreen(XtScreen(appShell)),
                                      reinterpret_cast<const char*>(kJarnIconBits),
                                      static_cast<unsigned>(kJarnIconWidth),
                                      static_cast<unsigned>(kJarnIconHeight));
  Arg args[16];
  Cardinal n = 0;
  XtSetArg(args[n], XmNtitle, title.c_str()), ++n;
  XtSetArg(args[n], XmNiconName, "Jarn 1.0"), ++n;
  XtSetArg(args[n], XmNiconPixmap, icon), ++n;
  XtSetArg(args[n], XmNallowShellResize, False), ++n;
  m.mainShell = XtCreatePopupShell("jarnMainShell", topLevelShellWidgetClass, appShell, args, n);
  setWindowCloseHandler(m.mainShell, exitCB, nullptr);

  n = 0;
  XtSetArg(args[n], XmNwidth, width), ++n;
  XtSetArg(args[n], XmNheight, height), ++n;
  XtSetArg(args[n], XmNfractionBase, 100), ++n;
  // The window keeps its size: a long queue name or a page's own wishes
  // must not make it grow or shrink.
  XtSetArg(args[n], XmNresizePolicy, XmRESIZE_NONE), ++n;
  n = addColourArgs(args, n, m.mainShell);
  m.form = XmCreateForm(m.mainShell, const_cast<char*>("jarn"), args, n);
  XtAddCallback(m.form, XmNdestroyCallback, formDestroyedCB, nullptr);

  Widget bar = createMainMenus(m.form);

  n = 0;
  XtSetArg(args[n], XmNtopAttachment, XmATTACH_WIDGET), ++n;
  XtSetArg(args[n], XmNtopWidget, bar), ++n;
  XtSetArg(args[n], XmNtopOffset, 8), ++n;
  XtSetArg(args[n], XmNleftAttachment, XmATTACH_FORM), ++n;
  XtSetArg(args[n], XmNleftOffset, 4), ++n;
  XtSetArg(args[n], XmNwidth, kSideWidth), ++n;
  XtSetArg(args[n], XmNrecomputeSize, False), ++n;
  m.queueNameLabel = makeLabel(m.form, "mainQueueNameLbl", centerLabelText("").c_str(), args, n);
  addTip(m.queueNameLabel, kQueueListTip);

  m.indexThumb = makeTabStrip(m.form, m.queueNameLabel, bar);

  m.okButton = makeMainButton(m.form, kButtons[0], 30, &m.okLabel);
  m.helpButton = makeMainButton(m.form, kButtons[1], 55, &m.helpLabel);
  m.quitButton = makeMainButton(m.form, kButtons[2], 80, &m.quitLabel);

  n = 0;
  XtSetArg(args[n], XmNbottomAttachment, XmATTACH_WIDGET), ++n;
  XtSetArg(args[n], XmNbottomWidget, m.okButton), ++n;
  XtSetArg(args[n], XmNbottomOffset, 4), ++n;
  XtSetArg(args[n], XmNleftAttachment, XmATTACH_FORM), ++n;
  XtSetArg(args[n], XmNrightAttachment, XmATTACH_FORM), ++n;
  Widget separator = XmCreateSeparatorGadget(m.form, const_cast<char*>("separatorGadget26"), args, n);
  XtManageChild(separator);

  m.logoLabel = makeLogo(m.form, separator);
  m.queueList = makeQueueList(m.form, m.queueNameLabel, logoShown ? m.logoLabel : separator, m);

  n = 0;
  XtSetArg(args[n], XmNtopAttachment, XmATTACH_WIDGET), ++n;
  XtSetArg(args[n], XmNtopWidget, m.indexThumb), ++n;
  XtSetArg(args[n], XmNleftAttachment, XmATTACH_WIDGET), ++n;
  XtSetArg(args[n], XmNleftWidget, m.queueListWindow), ++n;
  XtSetArg(args[n], XmNleftOffset, 4), ++n;
  XtSetArg(args[n], XmNrightAttachment, XmATTACH_FORM), ++n;
  XtSetArg(args[n], XmNrightOffset, 4), ++n;
  XtSetArg(args[n], XmNbottomAttachment, XmATTACH_WIDGET), ++n;
  XtSetArg(args[n], XmNbottomWidget, separator), ++n;
  XtSetArg(args[n], XmNbottomOffset, 4), ++n;
  XtSetArg(args[n], XmNresizePolicy, XmRESIZE_NONE), ++n;
  n = addColourArgs(args, n, m.form);
  m.formBase = XmCreateForm(m.form, const_cast<char*>("jarnFormBase"), args, n);
  XtManageChild(m.formBase);

  // The page container: a form, so that every page is laid out by its
  // attachments, drawn with a frame's etched shadow.
  n = 0;
  XtSetArg(args[n], XmNtopAttachment, XmATTACH_FORM), ++n;
  XtSetArg(args[n], XmNbottomAttachment, XmATTACH_FORM), ++n;
  XtSetArg(args[n], XmNleftAttachment, XmATTACH_FORM), ++n;
  XtSetArg(args[n], XmNrightAttachment, XmATTACH_FORM), ++n;
  XtSetArg(args[n], XmNshadowThickness, 2), ++n;
  XtSetArg(args[n], XmNshadowType, XmSHADOW_ETCHED_IN), ++n;
  XtSetArg(args[n], XmNresizePolicy, XmRESIZE_NONE), ++n;
  n = addColourArgs(args, n, m.form);
  m.container = XmCreateForm(m.formBase, const_cast<char*>("jarnContainerFrame"), args, n);
  XtManageChild(m.container);
  installWizardPages();
  for (int slot = 0; slot < kPageSlotCount; ++slot) m.pages[slot] = buildPage(slot, m.container);

  SetThumbIndex(2);
  SetThumbIndex(1);
  SetThumbIndex(0);
  s.panelMode = kPageQueue;
  ManageMainForm(kPageQueue);
  setTestPrintSensitive(false);
  setEditMenuSensitive(255, 1);
  setThumbIndexSensitive(255, 1);
  if (pageHooks().showOptionPane) pageHooks().showOptionPane(1);
  XtManageChild(m.form);
  refreshQueueList();
  if (pageHooks().resetQueueType) pageHooks().resetQueueType();
  if (pageHooks().pagesBuilt) pageHooks().pagesBuilt();
  return m.mainShell;
}

void popupMainWindow() {
  MainWidgets& m = mainWidgets();
  if (!m.mainShell) return;
  XtPopup(m.mainShell, XtGrabNone);
}
