// The IPP form of the connection page (type 6): host and printer path.
#pragma once

#include <X11/Intrinsic.h>

#include <string>

struct IppFormWidgets {
  Widget form = nullptr, dataFrame = nullptr, dataForm = nullptr, hostLabel = nullptr,
         hostField = nullptr, pathLabel = nullptr, pathField = nullptr;
};
IppFormWidgets& ippFormWidgets();

Widget createIppPanel(Widget parent);
void getIppHostText(Widget field);
void getIppPortText(Widget field);
void setIppIPText(Widget field);
void setIppIPPort(Widget field);
// The host and path fields show ippHost and ippPath (empty too).
void fillIppFields();
// The path as a command line shows it (leading slashes dropped, blanks,
// parentheses and lone '%' escaped, "" as "ipp"). For showing only: the
// URI sent is built from ippPath itself.
std::string checkIPPString(const std::string& text);

void ippHostChangedCB(Widget, XtPointer, XtPointer);
void ippPathChangedCB(Widget, XtPointer, XtPointer);

// Context help of the form (the main window's help does not ask it).
bool ippFormHelp(Widget picked);
