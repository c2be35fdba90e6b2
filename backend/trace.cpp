// Trace output, gated by the process-wide trace level.
#include "trace.h"

#include <cstdarg>
#include <cstdio>

namespace {
int level = 0;
}

int traceLevel() { return level; }
void setTraceLevel(int l) { level = l; }
int& traceLevelRef() { return level; }

void tracef(const char* fmt, ...) {
  if (level <= 0) return;
  va_list ap;
  va_start(ap, fmt);
  std::vfprintf(stderr, fmt, ap);
  va_end(ap);
}
