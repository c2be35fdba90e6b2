// The password and user-ID fields (see secret_fields.h).
#include "secret_fields.h"

#include <Xm/TextF.h>

#include "advanced_page.h"
#include "callback_guard.h"
#include "page_widgets.h"
#include "setup_state.h"
#include "text_fields.h"
#include "user_entries.h"

namespace {

constexpr int kMaskOnePerCharacter = -1;

// The shadow of the mode in force; null in box mode, where the field is not read.
std::string* modeShadow(int mode) {
  if (mode == 2) return &securedShadow();
  if (mode == 4) return &accountShadow();
  return nullptr;
}

void storePassword(int mode, const std::string& clear) {
  SetupState& s = setup();
  if (mode == 2) {
    s.workEntry.securePassword = clear;
    // A user has either a box or a secured password.
    if (!clear.empty()) {
      s.mailboxNumber = -1;
      s.workEntry.mailbox = -1;
      s.workEntry.proof = 0;
    }
  } else {
    s.workEntry.userPassword = clear;
  }
}

}  // namespace

std::string& securedShadow() {
  static std::string shadow;
  return shadow;
}

std::string& accountShadow() {
  static std::string shadow;
  return shadow;
}

void fillPasswordField(const std::string& secret, std::string* shadow) {
  *shadow = secret;
  writeGuardedText(advancedPageWidgets().passwordField, maskText(secret, kMaskOnePerCharacter),
                   &passwordFieldGuard());
}

void fillUserIdField(const std::string& text) {
  writeGuardedText(advancedPageWidgets().userIdField, text, &passwordFieldGuard());
}

std::string readPasswordField(std::string* shadow) {
  *shadow = updateShadow(getTextValue(advancedPageWidgets().passwordField), *shadow);
  return *shadow;
}

void passwordFieldCB(Widget w, XtPointer, XtPointer) {
  if (passwordFieldGuard()) return;
  runGuarded(w, [w] {
    int mode = advancedState().userMode;
    std::string* shadow = modeShadow(mode);
    if (!shadow) return;
    if (!XmIsTextField(w)) {
      shadow->clear();
      storePassword(mode, std::string());
      return;
    }
    std::string clear = readPasswordField(shadow);
    writeGuardedText(w, maskText(clear, kMaskOnePerCharacter), &passwordFieldGuard());
    storePassword(mode, clear);
  });
}

void userIdFieldCB(Widget w, XtPointer, XtPointer) {
  if (passwordFieldGuard()) return;
  std::string text = getTextValue(w);
  bool& guard = passwordFieldGuard();
  guard = true;
  if (XmIsTextField(w)) XmTextFieldSetInsertionPosition(w, static_cast<XmTextPosition>(text.size()));
  guard = false;
  setup().workEntry.userId = text;
}
