// The About dialog (see about_dialog.h).
#include "about_dialog.h"

#include <Xm/BulletinB.h>
#include <Xm/DialogS.h>
#include <Xm/Label.h>
#include <Xm/PushBG.h>
#include <Xm/SeparatoG.h>

#include <string>
#include <vector>

#include "colour_scheme.h"
#include "dialog_shells.h"
#include "main_window.h"
#include "page_widgets.h"
#include "program_bitmaps.h"
#include "screen_values.h"
#include "setup_state.h"
#include "widget_tips.h"
#include "xm_strings.h"

namespace {

Widget infoCompDialog = nullptr;

const char kTitle[] = "Jarn 2.0-10 : Info";
const char* const kHeadTexts[] = {"Program: Jarn", "System: PC/Intel x686", "Version  : 2.0-10",
                                  "UNIX/OS:  LINUX x686"};
// The contact lines (label5 to label12): neutral texts of the same roles.
const char* const kMakerTexts[] = {"Written by the Jarn developers.", "All rights reserved.",
                                   "The printer maker:", "see the documentation",
                                   "that came with your printer.", nullptr,
                                   "your service technician or representative.",
                                   "Web: see your printer's documentation."};
const char* const kDeveloperTexts[] = {"Written by the Jarn developers.", "All rights reserved.",
                                       "The Jarn developers:", "see the documentation",
                                       "that came with this program.", nullptr,
                                       "your service technician or representative.",
                                       "Web: see the program's documentation."};
const char kSupportText[] = "For Support, please contact";
const char kTelephoneText[] = "Telephone and fax: see your contract.";

void closeInfoCB(Widget w, XtPointer, XtPointer) {
  Widget shell = w;
  while (shell && !XtIsShell(shell)) shell = XtParent(shell);
  WidgetList children = nullptr;
  Cardinal count = 0;
  if (shell) XtVaGetValues(shell, XmNchildren, &children, XmNnumChildren, &count, nullptr);
  if (count > 0) XtUnmanageChild(children[0]);
}

// The OK button's own callback: the dialog unmanages itself on activation.
void infoOkCB(Widget, XtPointer, XtPointer) {}

Widget label(Widget dialog, const std::string& name, const char* text, int y) {
  return makeTextLabel(xmLabelWidgetClass, dialog, name.c_str(), text,
                       {{XmNx, 12}, {XmNy, y}, {XmNrecomputeSize, True}, {XmNalignment, XmALIGNMENT_BEGINNING}});
}

Pixmap bitmapPixmap(Widget w, const unsigned char* bits, int width, int height, const char* colour) {
  Pixel bg = schemeBackground(w);
  return XCreatePixmapFromBitmapData(XtDisplay(w), RootWindowOfScreen(XtScreen(w)),
                                     reinterpret_cast<char*>(const_cast<unsigned char*>(bits)),
                                     static_cast<unsigned>(width), static_cast<unsigned>(height),
                                     getColorPixel(w, colour), bg,
                                     static_cast<unsigned>(DefaultDepthOfScreen(XtScreen(w))));
}

void pixmapLabel(Widget dialog, const char* name, Pixmap pix, int x, int y) {
  makePageWidget(xmLabelWidgetClass, dialog, name,
                 {{XmNlabelType, XmPIXMAP}, {XmNlabelPixmap, static_cast<XtArgVal>(pix)}, {XmNx, x}, {XmNy, y}});
}

Widget buildDialog(Widget parent, const char* name, const char* const (&contact)[8]) {
  bool logo = isLogoShown();
  Pixmap icon = XCreateBitmapFromData(XtDisplay(parent), RootWindowOfScreen(XtScreen(parent)),
                                      reinterpret_cast<const char*>(kJarnIconBits),
                                      static_cast<unsigned>(kJarnIconWidth), static_cast<unsigned>(kJarnIconHeight));
  XmString title = makeXmString(kTitle);
  std::vector<Arg> args(12);
  Cardinal n = 0;
  XtSetArg(args[n], XmNx, 600), ++n;
  XtSetArg(args[n], XmNy, 311), ++n;
  XtSetArg(args[n], XmNwidth, 391), ++n;
  XtSetArg(args[n], XmNheight, 291), ++n;
  XtSetArg(args[n], XmNresizePolicy, XmRESIZE_ANY), ++n;
  XtSetArg(args[n], XmNdialogTitle, title), ++n;
  XtSetArg(args[n], XmNautoUnmanage, True), ++n;
  n = addColourArgs(args.data(), n, parent);
  Widget dialog = XmCreateBulletinBoardDialog(parent, const_cast<char*>(name), args.data(), n);
  XmStringFree(title);
  XtVaSetValues(XtParent(dialog), XmNiconName, "Jarn 1.0", XmNiconPixmap, icon, nullptr);
  setWindowCloseHandler(dialog, closeInfoCB, nullptr);

  int y = 8;
  for (int i = 0; i < 4; ++i, y += 20) label(dialog, "label" + std::to_string(i + 1), kHeadTexts[i], y);
  for (const char* sep : {"separatorGadget10", "separatorGadget13", "separatorGadget15"}) {
    makePageWidget(xmSeparatorGadgetClass, dialog, sep, {{XmNx, 0}, {XmNy, y}, {XmNwidth, 391}});
    y += 4;
  }
  for (int i = 0; i < 8; ++i, y += 18) {
    const char* text = contact[i] ? contact[i] : logo ? kSupportText : kTelephoneText;
    label(dialog, "label" + std::to_string(i + 5), text, y);
  }
  bool white = setup().colourMode == 2;
  pixmapLabel(dialog, "qorlogolabel", bitmapPixmap(dialog, kJarnIconBits, kJarnIconWidth, kJarnIconHeight,
                                                    white ? "blue" : "#729fff"), 320, 8);
  if (logo) {
    pixmapLabel(dialog, "compLogolabel", bitmapPixmap(dialog, kJarnLogoBits, kJarnLogoWidth, kJarnLogoHeight,
                                                      white ? "red" : "#ff0547"), 240, 64);
  }
  Widget ok = makeTextLabel(xmPushButtonGadgetClass, dialog, "infoOKPBG", "OK", {{XmNx, 170}, {XmNy, 252}});
  XtAddCallback(ok, XmNactivateCallback, infoOkCB, nullptr);
  addTip(ok, "OK or validate button.");
  return dialog;
}

}  // namespace

Widget createInfoCompDialog(Widget parent) {
  infoCompDialog = buildDialog(parent, "infoCompDialog", kMakerTexts);
  return infoCompDialog;
}

Widget createInfoDialog(Widget parent) { return buildDialog(parent, "infoDialog", kDeveloperTexts); }

Widget aboutDialog() { return infoCompDialog; }

void showAbout() {
  if (!infoCompDialog && mainWidgets().appShell) createInfoCompDialog(mainWidgets().appShell);
  if (infoCompDialog) popupDialog(infoCompDialog, XtGrabNone);
}
