// The page hooks of the main window (see page_hooks.h).
#include "page_hooks.h"

PageHooks& pageHooks() {
  static PageHooks hooks;
  return hooks;
}
