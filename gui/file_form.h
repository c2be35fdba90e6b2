// The local-file form of the connection page (type 7) and the program's
// file-path dialog, which its Browse button opens.
#pragma once

#include <X11/Intrinsic.h>

#include <string>

struct FileFormWidgets {
  Widget form = nullptr, nameFrame = nullptr, nameForm = nullptr, nameField = nullptr,
         nameLabel = nullptr, browseButton = nullptr;
};
FileFormWidgets& fileFormWidgets();

Widget createLocalFileForm(Widget parent);
// Null or "": the field emptied; else shown.
void setFileNameText(const char* text);
void readFileNameText(Widget field);

// The file-path dialog, made once at start-up (null before).
Widget& inputFileBox();
Widget createInputFileBox(Widget parent);
// The directory part of a chosen path ("/" for "/x"); false without a '/'.
bool fileDirectoryOf(const std::string& path, std::string* directory);

void fileNameChangedCB(Widget, XtPointer, XtPointer);
void browseFileCB(Widget, XtPointer, XtPointer);
void inputFileBoxOkCB(Widget, XtPointer, XtPointer);

bool fileFormHelp(Widget picked);
