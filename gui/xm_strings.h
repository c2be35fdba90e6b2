// Fonts and compound strings: loading font lists, building, padding and
// reading back compound strings.
#pragma once

#include <Xm/Xm.h>

#include <string>
#include <vector>

// The font as a font list under the default tag; "fixed" when the font cannot
// be loaded; null when neither can.
XmFontList loadFontList(Widget widget, const char* fontName);

// Sets the widget's fontList from the named font.
void setWidgetFont(Widget widget, const char* fontName);

// The text padded with blanks until its rendered width reaches `width`
// pixels; when it was padded and `colon` is 1, a ':' is appended. A text
// already as wide is returned as it is. The caller frees the result.
XmString setXmStringLength(const std::string& text, XmFontList fontList, int width, int colon);

// All segments of a compound string, with a line feed after each separator.
std::string xmStringToText(XmString string);
// The segments up to the first separator.
std::string xmStringFirstLine(XmString string);

// A compound string under the default tag; null for a null text.
XmString makeXmString(const char* text);

// Splits "a, b\,c,,d" into compound strings ("a", "b,c", "", "d"): blanks
// before an item are skipped, "\," stands for a comma inside an item. The
// caller frees each string.
std::vector<XmString> parseXmStringList(const std::string& text);
