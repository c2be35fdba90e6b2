// The PPD the option pages show (see ppd_session.h).
#include "ppd_session.h"

// libcups marks its whole PPD interface deprecated; it is the one the pages read.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

#include <cstdio>
#include <cstdlib>

#include "fatal_exit.h"
#include "model_page.h"
#include "option_constraints.h"
#include "option_rows.h"
#include "option_state.h"
#include "page_navigation.h"
#include "ppd_choice_helpers.h"
#include "ppd_search.h"
#include "setup_state.h"
#include "trace.h"

OptionPagesState& optionPages() {
  static OptionPagesState state;
  return state;
}

namespace {

// Opens ppdFile into the state and builds its rows; false when it is no PPD.
bool openAndBuild() {
  OptionPagesState& st = optionPages();
  SetupState& s = setup();
  st.currentPpd = ppdOpenFile(s.ppdFile.c_str());
  if (!st.currentPpd) {
    if (traceLevel() > 0) tracef("ppdOpenFile(%s) failed.\n", s.ppdFile.c_str());
    return false;
  }
  markDefaultChoices(st.currentPpd);
  if (traceLevel() > 3) dumpMarkedOptions(st.currentPpd);
  createPPDWidgets(st.currentPpd);
  return true;
}

}  // namespace

int openPpd(const std::string& path) {
  SetupState& s = setup();
  std::string name;
  if (!getPpdModelName(path, &name)) return 0;
  s.modelName = name;
  closePpd();
  s.ppdFile = path;
  if (!openAndBuild()) return 0;
  showModelNameField(s.modelName);
  return 1;
}

void closePpd() {
  OptionPagesState& st = optionPages();
  deleteDynamicWidgets();
  st.pendingOptions.clear();
  if (st.currentPpd) ppdClose(st.currentPpd);
  st.currentPpd = nullptr;
}

int isPpdColorDevice() {
  ppd_file_t* ppd = optionPages().currentPpd;
  return ppd ? ppd->color_device : 0;
}

int isPpdOpenChecked() {
  void* scratch = std::malloc(256);
  if (!scratch) {
    std::perror("allocte temp string");
    throw FatalExit(1, "allocte temp string");
  }
  std::free(scratch);
  return optionPages().currentPpd ? 1 : 0;
}

bool openChosenPpd() {
  OptionPagesState& st = optionPages();
  closePpd();
  setup().keepOptions = 0;
  if (!openAndBuild()) return false;
  RestoreDynamicData();
  Constraints(st.currentPpd, firstGroupIsInstallable(st.currentPpd), 1);
  setEditMenuSensitive(255, 15);
  setThumbIndexSensitive(255, 15);
  return true;
}
