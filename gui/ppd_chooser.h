// The PPD model chooser: a list of the model names of the maker's PPD files
// for the queue's data type (listPPD), a repeated name with the PPD's
// language (or file name); an empty list's title says where it looked. OK
// (or a double click) takes the picked row's file (when it is gone, the
// first other listed file of that name that exists), opens it and builds
// the option pages.
#pragma once

#include <X11/Intrinsic.h>

#include <string>

// Builds "ppdFileBoxShell" once (titled by printerType); later calls do nothing.
Widget createPpdFileBox();
// Lists the PPD files, empties the selection and pops the chooser up.
void showPpdFileBox();
// The chooser's selected model name (a pick also keeps the picked row).
std::string& ppdChooserSelection();
// The OK path: false (with two bells, ppdFile and modelName kept) when no
// listed file of the selected name exists; nothing without a selection.
bool takeChosenModel();

void ppdFileBoxListCB(Widget, XtPointer, XtPointer);
void ppdFileBoxOkCB(Widget, XtPointer, XtPointer);
