// OK on a creation question (message codes 5-10 and 16-22): creates the
// queue through the spooler and, for a queue with a model, records it as
// managed. A create that fails records nothing and leaves the pages as
// they were; a dry run (trace level 1) only prints the commands.
#pragma once

// Creates the queue of the state for the code of its question.
void createQueueForCode(int code);

// The notice of a failed create: code 11, "The printer '%s'\ncould not be created!".
void showCreateFailed();
