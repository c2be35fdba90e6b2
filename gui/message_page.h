// The message page (page 7 of the main window): a title, a line of dashes,
// the text and an icon chosen by the message code. A message is a notice or
// a pending action that OK carries out by its code; a question makes its
// caller wait in a nested event loop until OK or Quit answers it.
#pragma once

#include <X11/Intrinsic.h>

#include <string>

// States of the page (messagePageState).
enum MessagePageStates { kPageIdle = 0, kPageMessage16 = 16, kPageQuestion = 32 };

// Icon kinds of the codes: 1 hand, 2 stop, 3 warn1, 4 warn2, 5 question.
int messageIconKind(int code);
// The loaded image of a code's icon (the hand when that image is missing;
// 0 when no image is loaded).
Pixmap messageIconPixmap(int code);

// True for the codes whose OK carries out an action on the current queue
// (2, 5-10, 16-22, 32): while one stands, the queue list and the menu bar
// are insensitive, so that the action works on the queue the message names.
bool isPendingActionCode(int code);

// The page text for a title and a text: the title, a newline, one '-' per
// title character and a newline when the title is not empty, then the text;
// at most 1023 characters.
std::string layoutMessageText(const std::string& title, const std::string& text);
constexpr size_t kMessageTextMax = 1023;

// Builds "jarnMessageBox" in the page container (not managed).
Widget createMessagePage(Widget parent);

// Shows a message on the page; does not wait. Returns 1.
int showMessage(int code, const std::string& title, const std::string& text);

// Shows a question on the page and waits for OK (true) or Quit (false). A
// question asked while another one waits is answered false at once.
bool askInMessagePanel(int code, const std::string& title, const std::string& text);

// The main window's OK and Quit buttons.
void okMainCB(Widget widget, XtPointer clientData, XtPointer callData);
void quitMainCB(Widget widget, XtPointer clientData, XtPointer callData);
void okMain();
void quitMain();

// The quit question (code 1), from Quit and the File menu's Quit entry.
void askQuitQuestion();

// The state beside SetupState: the state before the current message or
// question and the text a question covers.
struct MessagePageMemory {
  int previousState = 0;
  std::string savedText;
  int* pendingAnswer = nullptr;  // the waiting question's answer: -1, 1 OK, 0 Quit
  bool actionLocked = false;     // a pending action holds the queue list and menu bar
  bool listWasOn = true;         // their sensitivity before it
  bool menuWasOn = true;
};
MessagePageMemory& messagePageMemory();
