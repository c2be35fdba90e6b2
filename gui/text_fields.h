// Text-field checks and accessors, and small file and name helpers.
#pragma once

#include <Xm/Xm.h>

#include <string>

// The text as it would be after a modify-verify change: the part before the
// change, the new text, the part after it.
std::string getVerifiedText(Widget widget, XmTextVerifyCallbackStruct* verify);

// True when that text may start with '+' or '-' and then holds only
// "0123456789*"; otherwise rings the bell twice and returns false.
bool textFieldDigitsCheck(Widget widget, XmTextVerifyCallbackStruct* verify);

// Modify-verify callback that refuses changes failing textFieldDigitsCheck.
void digitsVerifyCB(Widget widget, XtPointer clientData, XtPointer callData);

// The clear text behind a password field that shows one '*' a character:
// what the field now shows (`text`) merged into the old clear text. One
// character starts a new secret, except a lone '*', which keeps the first
// character; a shorter text cuts the secret; otherwise every character
// other than '*' replaces the secret's character at its place.
std::string updateShadow(const std::string& text, const std::string& shadow);

// Set while the program itself writes a password or user-ID field: the
// fields' verify and change callbacks then let the write pass untouched.
bool& passwordFieldGuard();

// Modify-verify callback of the password fields: besides the digits rule,
// refuses with two bells a typed '*' (it would hide another secret than the
// one typed) and any edit that is neither at the end of the text nor a
// replacement of the whole text (the stars cannot show where it lands).
void passwordVerifyCB(Widget widget, XtPointer clientData, XtPointer callData);

// The value of a text field or text widget; "" for other widgets.
std::string getTextValue(Widget widget);
void setTextValue(Widget widget, const std::string& text);
void setTextFromInt(Widget widget, int value);
void setTextFromDouble(Widget widget, double value);
// The value read as a number; 0 for an empty text or another kind of widget.
int getTextAsInt(Widget widget);
double getTextAsDouble(Widget widget);

// Sets a message box's messageString.
void setMessageString(Widget widget, const std::string& text);

// Reads the whole file into a text widget; false when it cannot be read.
bool loadTextFile(Widget textWidget, const std::string& path);

// The last path component with its extension cut.
std::string baseName(const std::string& path);

// Shows a popup menu at a button event when the button is its whichButton.
void popupMenuHandler(Widget menu, XEvent* event);
