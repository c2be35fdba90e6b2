// The queue actions behind OK, Save and the pages' Update buttons: reading
// the connection page back, checking the entries before a creation, and
// pushing the changes of an existing queue to the spooler.
#pragma once

// Reads the connection page back into the state and checks the model; 0
// when the queue name is refused (nothing read), else 1.
int getSetupInfo();
// Checks the entries and asks the creation question (to be completed).
int goAction(int applyEntry);
// Reads the pages back and sends what changed of an existing queue; with
// notify, says once that the printer was updated. Each changed flag is
// cleared only when its command succeeded.
void applyQueueSetup(int notify);
// OK on the main window with no message pending.
void queueOkAction();
