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

// Pops up the conflict box (made on first use) with a title and a text.
void showConflictBox(const std::string& title, const std::string& text);

// Message code 1 saying that the field must be numerical.
void numericFieldNotice(const std::string& title, const std::string& field,
                        const std::string& value);

// The text of that notice.
std::string numericFieldText(const std::string& field, const std::string& value);
