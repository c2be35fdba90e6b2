// The password and user-ID fields of the advanced page. The password field
// shows one '*' per character while a shadow keeps the clear text: one
// shadow for the secured password, one for the accounting password; the
// user mode picks which. The user ID is shown as typed.
#pragma once

#include <X11/Intrinsic.h>

#include <string>

// The clear texts behind the password field.
std::string& securedShadow();
std::string& accountShadow();

// Writes the password field with one '*' per character of `secret` and
// loads `shadow` with it, under the field guard.
void fillPasswordField(const std::string& secret, std::string* shadow);
// Writes the user-ID field under the field guard.
void fillUserIdField(const std::string& text);

// The password field read back through the mode's shadow (the field's text
// merged once more): the clear text to store.
std::string readPasswordField(std::string* shadow);

// Change callbacks of passwordTxt and userIDTxt.
void passwordFieldCB(Widget, XtPointer, XtPointer);
void userIdFieldCB(Widget, XtPointer, XtPointer);
