// Queue commands: creating a queue from its device URI or with its PPD,
// accepting and enabling it, and deleting it, each through the spooler's own
// commands run from an argv. At trace level 1 each command line is printed
// and not run (its status counts as 0); from level 2 it is printed and run.
#pragma once

#include <functional>
#include <string>

#include "process_runner.h"

// Runs a spooler command at the trace level in force; its exit status
// (0 in a dry run, 127 when the program cannot be started).
int runSpoolerCommand(const Command& cmd);

// Has `log` called with each spooler command's text before the command runs
// (an empty function: none); returns the one in force before.
using SpoolerCommandLog = std::function<void(const std::string& text)>;
SpoolerCommandLog setSpoolerCommandLog(SpoolerCommandLog log);

// Creates (or changes) queue `queue` from the device URI of the connection
// fields, then accepts and enables it. 1 when every command succeeded, else 0.
int createQueueByUri(const std::string& queue);

// Creates (or changes) queue `queue` with ppdFile and the device URI of the
// connection fields, then accepts and enables it. 0 when every command
// succeeded, else the failing command's status. On success ppdFile becomes
// the installed copy of the PPD when it was the file first chosen.
int createQueueWithPPD(const std::string& queue);

// Accepts and enables the queue. 0 when both succeeded, else the failing
// command's status.
int enableQueue(const std::string& queue);

// Deletes the queue from a System V or CUPS spooler, asking first with
// `ask`. 1 when it was deleted, 0 when refused, not possible or failed.
int deleteSpoolerQueue(const std::string& queue, int ask);

// 1 when the user is root; otherwise 0, with a message when `show` is set.
int checkAccessRights(int show);

// 1 when ppdFile is the PPD first chosen (ppdOrgFile, which an empty one
// takes from ppdFile); 0 for an empty ppdFile.
int isOriginalPPD();
