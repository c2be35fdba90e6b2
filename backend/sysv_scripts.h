// Queues driven by shell scripts: the per-queue script in the user
// directory, the System V interface (model) script that hands each job file
// to a filter program, the dispatcher script, the device nodes of such
// queues, the spool-owner change, the spooler commands that create the
// queues, and the check of a CUPS queue whose interface file has vanished.
//
// Every script is written whole through the atomic writer with mode 0755,
// and an existing one is replaced only after a "yes" to the question. Queue
// names, programs and paths go into the scripts as quoted shell words
// and into the spooler commands as argv words, never as shell text.
#pragma once

#include <string>
#include <vector>

// Kind flags of the scripts and queues.
constexpr int kScriptRunPreCommand = 2;  // createScriptQueue: run the pre-command first
constexpr int kScriptLogical = 4;        // a logical queue (a filter program runs the jobs)
constexpr int kScriptLocal = 8;          // a local queue (the jobs pass unchanged)

// The settings these scripts take beyond SetupState.
struct SysvScriptSettings {
  std::string outputProgram = "cat";    // what the per-queue script runs on its last argument
  std::vector<std::string> preCommand;  // argv run before a queue is created with kScriptRunPreCommand
  std::string logDir;                   // the interface scripts' log directory; "" = userDir "/log"
  bool colourDevice = false;            // JARNCLRDEV=1 in the dispatcher script
  bool outputUesc = false;              // QOROUTUESC=0
  bool outputNoPjl = false;             // QOROUTNOPJL=1
};

// The process-wide settings of the script generators.
SysvScriptSettings& sysvSettings();

// True for a queue name that can name a script file: not empty, no "/",
// not "." or "..", no control bytes.
bool isScriptQueueName(const std::string& queue);

// The texts of the scripts, for the writers below and for tests.
// `created` is the creation-time text (ctime form, without the line feed).
std::string queueScriptText(int kind, const std::string& program, const std::string& created);
std::string interfaceScriptText(const std::string& queue, const std::string& program, int kind,
                                const std::string& logDir, const std::string& created);
std::string dispatcherScriptText(const std::string& queue, const std::string& extraOptions,
                                 const std::string& created);

// Writes the per-queue script userDir "/" queue ".sh" (kind 8 local, 4
// logical) that runs the configured output program on its last argument.
// Returns 1 when written (the path in `path`), 0 otherwise (message shown).
int writeQueueScript(const std::string& queue, std::string* path, int kind);

// The device numbers of a path. 1 when they could be read; 0 (with "Cannot
// open %s" on standard error) when not, and the outputs are then -1.
int getDeviceNumbers(const std::string& path, int* major, int* minor);
// Reads the numbers of "/dev/null" into nullDeviceMajor/Minor(); 1 when known.
int getNullDeviceNumbers();
int nullDeviceMajor();
int nullDeviceMinor();

// The spooler account of this system: "daemon" for LPRng, "root" for CUPS,
// otherwise by the system kind.
void spoolAccount(std::string* user, std::string* group);
// Gives the path to the spooler account (an unknown account gives id 0).
// Returns chown's status.
int setSpoolOwner(const std::string& path);

// The model directory the interface scripts go to, "" when none exists.
std::string modelDirectory();

// Writes the System V interface script for the queue into the model
// directory: kind 4 runs `program` on each job file, kind 8 passes the jobs
// through. Returns 1 when written (the path in `path` when given), else 0.
int writeInterfaceScript(const std::string& queue, const std::string& program, int kind,
                         std::string* path = nullptr);
int writeLocalInterfaceScript(const std::string& queue);
int writeLogicalInterfaceScript(const std::string& queue, const std::string& program);

// Creates the character device "/dev/<name>" (or the name itself when it
// starts with "/dev/") with the numbers of /dev/null and mode 0666. Nothing
// is done when it exists with those numbers already; nothing is created when
// the numbers of /dev/null are unknown. 1 on success, 0 on failure (message shown).
int makeDeviceNode(const std::string& name);

// Creates (or changes in place) a script-driven queue with the spooler's
// command: CUPS with the interface script, System V with the model; then
// accepts and enables it. `device` "" means /dev/null. Returns 1 when the
// spooler took the queue, 0 otherwise.
int createScriptQueue(const std::string& queue, const std::string& device, int kind);

// A CUPS queue run by a program ("" = "cat") through an interface script.
// Returns 1 when the queue was created.
int createLogicalQueue(const std::string& queue, const std::string& program);

// True when the CUPS in force no longer takes interface scripts (2.2 and later).
bool cupsRefusesInterfaceScripts();

// Checks that a CUPS queue's interface file exists and, when it is missing,
// sets the queue up again with its interface script, changing it in place:
// the queue is never deleted. On a CUPS that refuses interface scripts the
// queue is left as it is and the reason is shown. Returns 1 when the file
// exists or the queue was set up again, 0 otherwise.
int checkCupsInterface(const std::string& queue, int kind);

// Writes the logical interface script and the dispatcher script
// userDir "/" queue ".sh" for System V, BSD and CUPS spoolers. Returns 1 when
// both were written, 0 otherwise.
int MakeLogicalQue(const std::string& queue, const std::string& extraOptions);
