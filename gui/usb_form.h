// The USB form of the connection page (type 5): a printer picked from the
// devices USB discovery found, or a device typed by hand; a toggle chooses.
#pragma once

#include <X11/Intrinsic.h>

#include <string>

struct UsbFormWidgets {
  Widget form = nullptr, frame = nullptr, innerForm = nullptr, toggle = nullptr, field = nullptr,
         listWindow = nullptr, list = nullptr;
};
UsbFormWidgets& usbFormWidgets();

Widget createUsbPanel(Widget parent);
// Rescans and refills the list; with select, selects usbDevicePath.
void updateUsbQBB(int select);
// The form of a queue that is not a USB queue: the typed field emptied, the
// list chosen and nothing selected (no rescan).
void clearUsbForm();
void fillUsbList();
// 1 found and selected, 0 not found (then typed), -1 no text.
int setSelectedUSBItem(const char* text);
void readUsbManualText(Widget field);
void showUsbManualText();
// Read-back: the typed device, or the selected row without its padding.
void getUsbSelection();
void setUsbManualText(Widget field, const char* text);
// The list's height: 17 pixels a row, at least 280.
void setUsbListHeight(int rows);
int usbListHeightFor(int rows);

void usbToggleCB(Widget, XtPointer, XtPointer);
void usbListCB(Widget, XtPointer, XtPointer);
void usbManualChangedCB(Widget, XtPointer, XtPointer);

bool usbPageHelp(Widget picked);
