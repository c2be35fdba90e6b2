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
// of the pages' queue (pagesQueue(); without one nothing is sent: a queue
// not yet created gets the code-38 notice, its options go out with the
// create). Every setting that failed keeps its changed flag
// and is named in a code-11 notice; when all succeeded and `notify` is set,
// says once (code 64) that the printer was updated.
void applyQueueSetup(int notify);
// Rewrites the queue's configuration file when the directory, printer and
// user are known and ppdConfigReady is 1, except in a dry run (trace level
// 1). 1 written, 0 nothing to do, -1 the write failed.
int saveQueueConfigIfNeeded();
// OK on the main window with no message pending.
void queueOkAction();

// The existing queue whose settings the pages hold: loaded by the queue
// page's Next, or created from the pages. What is changed on the pages is
// sent to it alone, whatever name was picked since.
struct PagesQueue {
  std::string name;     // printerName
  std::string dirName;  // queueDirName
  std::string fullDir;  // userFullDir
};
const PagesQueue& pagesQueue();
// Records the state's queue (its name and directories) as the pages' queue.
void holdPagesQueue();
// The pages hold no existing queue any more (a new one, or none); with a
// name, only when that is the queue held.
void dropPagesQueue(const std::string& onlyIf = std::string());
// The pages' queue and the changes made on the pages for it are dropped:
// nothing of them is sent (another queue was picked).
void dropPendingChanges();
// The notice (code 38, OK returns) for a queue that is not created yet.
void showNotYetCreated(const std::string& name);
