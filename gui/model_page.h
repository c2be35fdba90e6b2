// The model page (page 2): the queue-name banner, the "Printer Model: "
// form with the model-name field (filled only by the PPD chooser and by a
// loaded queue) and its Browse button, and the arrows to the connection
// page and the option pages. Next may be pressed once a PPD is chosen.
#pragma once

#include <X11/Intrinsic.h>

#include <string>

struct ModelPageWidgets {
  Widget page = nullptr, previousButton = nullptr, previousLabel = nullptr, nextButton = nullptr,
         nextLabel = nullptr, bannerFrame = nullptr, banner = nullptr, bigForm = nullptr, bigFrame = nullptr,
         fileForm = nullptr, fileFrame = nullptr, fileInner = nullptr, nameField = nullptr, nameLabel = nullptr,
         browseButton = nullptr;
};
ModelPageWidgets& modelPageWidgets();

Widget createModelPage(Widget parent);
// The form with the label, the model-name field and Browse.
Widget createPpdFileForm(Widget parent);

void setModelLabel(int type);
void showModelLabel();
// Next sensitive exactly when the queue is not raw and both modelName and
// ppdFile are set; then a managed queue gets every tab and Edit entry.
void checkPPDNextPB();
void setPpdBrowseSensitive(bool on);
// Empties the model-name field, modelName and ppdFile.
void clearPpdFileName();
// 1 when modelName is not empty.
int hasModelName();
// Copies the field's text into modelName (null field: ppdFnameTxt). A
// field showing the start of a longer model name (cut for display) keeps it.
void readPpdNameField(Widget field);
// Shows a model name in the field (cut to what it shows), modelName kept whole.
void showModelNameField(const std::string& name);

void modelPreviousCB(Widget, XtPointer, XtPointer);
void modelNextCB(Widget, XtPointer, XtPointer);
void ppdBrowseCB(Widget, XtPointer, XtPointer);
void ppdNameChangedCB(Widget, XtPointer, XtPointer);

// Context help of the page's widgets; false for any other widget.
bool ppdFileFormHelp(Widget picked);
