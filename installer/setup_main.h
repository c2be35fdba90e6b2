// The main flow of setup: start-up, the probe, the choice between a new
// installation, an upgrade, an update and a de-installation, the questions,
// and the hand-over to the steps that do the work.
#pragma once

namespace inst {

// Runs setup; returns the exit status. 0: done as asked, or stopped before
// changing anything (the machine does not qualify or the administrator
// declined); 1: it could not do what it set out to do, or its own inputs
// are unusable. The closing log line is always written.
int runSetup(int argc, char* argv[]);

}  // namespace inst
