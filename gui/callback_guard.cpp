// Exceptions stopped at the callback boundary (see callback_guard.h).
#include "callback_guard.h"

#include <cstdio>
#include <exception>

#include "fatal_exit.h"
#include "program_exit.h"

bool runGuarded(Widget widget, const std::function<void()>& body) {
  try {
    body();
    return true;
  } catch (const FatalExit& e) {
    requestProgramExit(widget, e.status());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "Jarn: %s\n", e.what());
    requestProgramExit(widget, 1);
  }
  return false;
}
