// The dry run of the administration program (trace level 1): the spooler
// commands are printed on standard error and not run, and no record file
// (information file, a queue's jarnConfig or JarnMailBoxFile, their
// directories and lock files) is written. Each writer asks here first; the
// trace names the file it would have written.
#pragma once

#include <string>

// True at trace level 1.
bool isDryRun();

// At a dry run, traces "Dry run: not written: PATH" and returns true: the
// caller then writes nothing. Otherwise false.
bool skipWriteInDryRun(const std::string& path);

// The notice that closes an action of a dry run on the queue `printer`
// instead of "has been updated!" (code 64, title "Information Message"):
// the commands were printed and nothing was changed.
void showDryRunNotice(const std::string& printer);

// The same for an action that writes a record file only (a user added on
// the advanced page): the file at `path` was not written.
void showDryRunFileNotice(const std::string& path);
