// How the back end tells the user something and asks yes/no questions.
//
// The back end never talks to a screen itself: it calls doMessage() and
// askQuestionBox(), which go to the Reporter in force. The default Reporter
// writes to standard error and answers every question "no"; the
// administration program plugs in its message page and dialogs, tests plug
// in a scripted fake.
#pragma once

#include <string>

// Message codes of doMessage(); the code chooses the icon and, for codes that
// stand for a pending action, what the main window's OK button does next.
enum MessageCode {
  kMsgError = 1,        // OK on it ends the program: only for what the user cannot mend
  kMsgInfo = 4,
  kMsgCorrectable = 11, // input the user can correct: OK returns to the page
};

class Reporter {
 public:
  virtual ~Reporter() = default;
  // Shows a message with a code, a title and a text.
  virtual void message(int code, const std::string& title, const std::string& text);
  // Asks a question; returns true for the "yes" button.
  virtual bool ask(const std::string& title, const std::string& text,
                   const std::string& yesLabel, const std::string& noLabel);
  // Asks a question on the message page with a message code (the code
  // chooses its icon); returns true for OK. By default it is asked as ask()
  // with "OK" and "Cancel".
  virtual bool askInPanel(int code, const std::string& title, const std::string& text);
};

// Makes `r` the Reporter in force (null restores the default one); returns
// the one that was in force before.
Reporter* setReporter(Reporter* r);
Reporter& reporter();

// Shows a message through the Reporter in force.
void doMessage(int code, const std::string& title, const std::string& text);

// Asks a question on the message page through the Reporter in force: 1 for
// OK, 0 for Cancel.
int askInPanel(int code, const std::string& title, const std::string& text);

// Asks a question through the Reporter in force: 1 for yes, 0 for no.
int askQuestionBox(const std::string& title, const std::string& yesLabel,
                   const std::string& noLabel, const std::string& text);
