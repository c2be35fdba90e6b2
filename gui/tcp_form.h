// The raw TCP/IP form of the connection page (type 3): host and port.
#pragma once

#include <X11/Intrinsic.h>

struct TcpFormWidgets {
  Widget form = nullptr, dataFrame = nullptr, dataForm = nullptr, hostLabel = nullptr,
         hostField = nullptr, portLabel = nullptr, portField = nullptr;
};
TcpFormWidgets& tcpFormWidgets();

Widget createTcpForm(Widget parent);
void readTcpHostText(Widget field);
// The port field as a number: 1..65535 goes into tcpPort, anything else
// (no number, 0, negative, too large) leaves it.
void readTcpPortText(Widget field);
void setTcpHostText(Widget field);
// tcpPort <= 0 becomes 9100; the field shows it.
void setTcpPortText(Widget field);
// The host field shows tcpHost (empty too), the port field the port.
void fillTcpFields();

void tcpHostChangedCB(Widget, XtPointer, XtPointer);
void tcpPortChangedCB(Widget, XtPointer, XtPointer);

bool tcpFormHelp(Widget picked);
