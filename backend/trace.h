// Trace output on standard error, gated by the trace level.
#pragma once

// The trace level in force (the -Z option of the administration program).
int traceLevel();
void setTraceLevel(int level);
// The trace level itself, for the state record to alias.
int& traceLevelRef();

// printf-style trace: written to standard error when the trace level is above 0.
void tracef(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
