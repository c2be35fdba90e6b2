// The pages' registration (see wizard_pages.h).
#include "wizard_pages.h"

#include "page_hooks.h"
#include "setup_state.h"

namespace {

std::string stateModelName() { return setup().modelName; }

}  // namespace

void installWizardPages() {
  PageHooks& h = pageHooks();
  if (!h.modelName) h.modelName = stateModelName;
}
