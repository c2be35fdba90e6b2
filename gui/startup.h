// The start-up of the administration program: state defaults, command line
// and environment, detection of the printing system, the display, the
// information file and the start-up printer's configuration, the images and
// the main window; then the toolkit's main loop.
#pragma once

#include <X11/Intrinsic.h>

#include <string>
#include <vector>

#include "startup_options.h"

// The whole program: returns its exit status (0 on Quit, window close and
// -h; 1 without a display; 255 when the information file cannot be made).
int jarnMain(int argc, char** argv);

// Steps before the display: environment, defaults, options, CUPS
// directories, detection, home directory. Returns -1 to go on, else the
// exit status (0 after -h).
int prepareStartup(std::vector<std::string> args, StartupValues* values);

// "directory/name" when that fits a path field (255 characters); "" when it
// does not, which the callers treat as not found.
std::string joinBoundedPath(const std::string& directory, const std::string& name);

// A configuration's PPD path made absolute in the printer directory: a
// relative path loses a leading "./" and gets the directory and one "/"
// in front. "" when the result does not fit a path field.
std::string absolutePpdPath(const std::string& printerDir, const std::string& ppdPath);

// Steps of the information file and the start-up printer's configuration
// (display open): restore, GENERAL block (created after asking when
// missing), printers and users, names, jarnConfig and its PPD path.
void loadInformation(StartupValues* values);

// The start-up values of the run.
StartupValues& startupValues();

// Run once the main window is up, just before the main loop (the tests'
// page driver steps the program from there). Null: none.
using AfterPopupHook = void (*)(XtAppContext app);
void setAfterPopupHook(AfterPopupHook hook);
