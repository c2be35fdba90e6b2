// The two real dialogs of the program: the modal question box
// "qorQuestionBox" and the PPD conflict box "qorConflictBox", and the
// notice for a field that must hold digits only.
#pragma once

#include <string>

// Dialog types of the question box: 1 error, 2 information, 3 question,
// 4 warning, 5 working, 0 unchanged, others message.
// Pops the box up application-modal and waits for OK (true) or Cancel.
bool showQuestionBox(int type, const std::string& title, const std::string& okLabel,
                     const std::string& cancelLabel, const std::string& text);

// A message raised before the main window exists, in a box of its own
// ("qorStartupMessage", the question box's kind of shell) with the code's
// icon and an OK button that closes it. It does not wait for OK, but it is
// on the screen when this returns, so that it stays visible also while the
// caller waits without the event loop (as before a fatal exit).
void showStartupMessage(int code, const std::string& title, const std::string& text);

// Raises the start-up message boxes still open over the main window.
void raiseStartupMessages();

// Pops up the conflict box (made on first use) with a title and a text.
void showConflictBox(const std::string& title, const std::string& text);

// Message code 1 saying that the field must be numerical.
void numericFieldNotice(const std::string& title, const std::string& field,
                        const std::string& value);

// The text of that notice.
std::string numericFieldText(const std::string& field, const std::string& value);
