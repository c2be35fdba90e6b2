// The queue actions behind OK, Save and the pages' Update buttons: reading
// the connection page back, checking the entries and asking the creation
// question, and pushing the changes of an existing queue to the spooler.
#pragma once

#include <string>

// Reads the connection page back into the state and checks the model; 0
// when the queue name is refused (nothing read), else 1.
int getSetupInfo();
// Checks the entries (an "Empty Entry!" notice, code 11, on the first empty
// one) and asks the creation question under "Printer Queue Creation" with
// the code whose OK creates the queue. Returns 0.
int goAction(int applyEntry);
// The creation question of the state's queue: its code (0 when the
// connection type has none) and text.
int creationQuestion(std::string* text);
// Reads the pages back, rewrites the configuration, and sends what changed
// of an existing queue. Every setting that failed keeps its changed flag
// and is named in a code-11 notice; when all succeeded and `notify` is set,
// says once (code 64) that the printer was updated.
void applyQueueSetup(int notify);
// Rewrites the queue's configuration file when the directory, printer and
// user are known and ppdConfigReady is 1, except in a dry run (trace level
// 1). 1 written, 0 nothing to do, -1 the write failed.
int saveQueueConfigIfNeeded();
// OK on the main window with no message pending.
void queueOkAction();
