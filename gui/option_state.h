// The state of the PPD option pages beside SetupState: the open PPD, one
// record per choice of every ordinary option (whether it is the option's
// current choice and whether that changed since the last send), the widgets
// of the rows built from the PPD, the special fields' values and edit flags,
// and the options waiting to be sent to the spooler.
#pragma once

#include <X11/Intrinsic.h>
#include <cups/ppd.h>

#include <string>
#include <utility>
#include <vector>

#include "option_labels.h"

// One choice of an ordinary option, in PPD order.
struct PpdChoiceState {
  std::string option;   // the option's keyword
  std::string choice;   // the choice's keyword
  int isCurrent = 0;    // 1 when this is the option's current choice
  int changed = 0;      // set whenever isCurrent flips; cleared by resetChangedOptions
  Widget button = nullptr;
};

// The option menu of one ordinary option (by the running option number).
struct OptionMenuSlot {
  ppd_option_t* option = nullptr;
  Widget menu = nullptr;
  Widget pulldown = nullptr;
  std::vector<Widget> buttons;  // by choice index
};

// An option waiting to be sent: keyword and value.
using PendingOption = std::pair<std::string, std::string>;

struct OptionPagesState {
  ppd_file_t* currentPpd = nullptr;
  std::vector<PpdChoiceState> installableChoices;
  std::vector<PpdChoiceState> printChoices;
  std::vector<OptionMenuSlot> menus;
  Widget specialFields[kSpecialFieldSlots] = {};
  Widget mailboxSpin = nullptr;
  Widget instPane = nullptr;     // ppdInstScrlPane, made per PPD
  Widget configPane = nullptr;   // ppdConfigScrlPane, made per PPD
  bool widgetsPresent = false;   // the rows of a PPD exist
  int ppdScrlWindMode = 1;       // 1 installable pane shown, 2 print-options pane
  int ppdMailbox = -1;
  std::string ppdSecuredPassword;  // clear texts (at most 23 bytes each)
  std::string ppdUserId;
  std::string ppdUserPassword;
  int mailboxEdited = 0;
  int userIdEdited = 0;
  int userPasswordEdited = 0;
  int securedPasswordEdited = 0;
  std::vector<PendingOption> pendingOptions;
  Pixel pageBackground = 0;
  Pixel white = 0;
};

// The one record of the run.
OptionPagesState& optionPages();

// The visible size of the special fields' values.
constexpr size_t kSpecialValueSize = 24;
