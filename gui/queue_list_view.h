// The main window's queue list: filled from the back end's rows, and the
// pick of a queue from it.
#pragma once

#include <X11/Intrinsic.h>

#include <string>
#include <vector>

// Reads the spooler's queues again and fills the main list.
void refreshQueueList();

// Puts rows into the main list (all items replaced) and sets its height.
void setQueueListRows(const std::vector<std::string>& rows);

// The queue name of a list row: at most 255 characters, trailing blanks cut.
std::string queueNameOfRow(const std::string& row);

// The main window's queue-name label "mainQueueNameLbl" shows the name.
void showMainQueueName(const std::string& name);

// Shows a picked queue name when no queue page takes it: the name goes into
// printerName (cut to its 127 characters) and the main window's label.
void showPickedQueueName(const std::string& name);

// Single-selection and default-action callback of "printerScrlList".
void queueListCB(Widget widget, XtPointer clientData, XtPointer callData);

// Value-changed callback of the three filter toggles (client data: 3 all,
// 2 own queues, 1 system queues).
void queueFilterCB(Widget widget, XtPointer clientData, XtPointer callData);
