// The local-device form of the connection page (type 4): a device node
// from a menu of common nodes, or typed.
#pragma once

#include <X11/Intrinsic.h>

#include <string>

struct LocalFormWidgets {
  Widget form = nullptr, dataFrame = nullptr, dataForm = nullptr, nameField = nullptr,
         deviceMenu = nullptr, devicePulldown = nullptr, nameLabel = nullptr;
  Widget entries[6] = {};  // Other, /dev/lp0, /dev/lp1, /dev/ttya, /dev/ttyb, /dev/null
};
LocalFormWidgets& localFormWidgets();

Widget createLocalForm(Widget parent);
// Stores a device path (storeLocalDevice) and shows its menu entry.
void setLocalDevice(const std::string& path);
void setLocalDeviceMenu(int kind);
// Null: field emptied and locked; "": unlocked and emptied; else shown.
void setLocalDeviceText(const char* text);
void readLocalDeviceText(Widget field);
// Read-back: the typed path for Other, else the entry's path.
void readLocalDevice();

void localDevOtherCB(Widget, XtPointer, XtPointer);
void localDevPar0CB(Widget, XtPointer, XtPointer);
void localDevPar1CB(Widget, XtPointer, XtPointer);
void localDevSer0CB(Widget, XtPointer, XtPointer);
void localDevSer1CB(Widget, XtPointer, XtPointer);
void localDevNullCB(Widget, XtPointer, XtPointer);
void localDeviceChangedCB(Widget, XtPointer, XtPointer);

bool localFormHelp(Widget picked);
