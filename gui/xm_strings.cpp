// Fonts and compound strings.
#include "xm_strings.h"

namespace {

// Rendered width of a text in a font list.
Dimension textWidth(const std::string& text, XmFontList fontList) {
  XmString s = XmStringCreateLocalized(const_cast<char*>(text.c_str()));
  Dimension w = XmStringWidth(fontList, s);
  XmStringFree(s);
  return w;
}

// The text of one compound string, by separators: every line, or the first.
std::string segments(XmString string, bool firstLineOnly) {
  std::string out;
  if (!string) return out;
  XmStringContext context;
  if (!XmStringInitContext(&context, string)) {
    XtWarning("Can't convert compound string");
    return out;
  }
  char* text = nullptr;
  XmStringCharSet tag = nullptr;
  XmStringDirection direction;
  Boolean separator = False;
  while (XmStringGetNextSegment(context, &text, &tag, &direction, &separator)) {
    if (text) out += text;
    XtFree(text);
    XtFree(tag);
    text = nullptr;
    tag = nullptr;
    if (separator) {
      if (firstLineOnly) break;
      out += '\n';
    }
  }
  XmStringFreeContext(context);
  return out;
}

}  // namespace

XmFontList loadFontList(Widget widget, const char* fontName) {
  Display* dpy = XtDisplayOfObject(widget);  // gadgets too
  XFontStruct* font = XLoadQueryFont(dpy, fontName);
  if (!font) font = XLoadQueryFont(dpy, "fixed");
  if (!font) return nullptr;
  XmFontListEntry entry = XmFontListEntryCreate(const_cast<char*>(XmFONTLIST_DEFAULT_TAG),
                                                XmFONT_IS_FONT, font);
  XmFontList list = XmFontListAppendEntry(nullptr, entry);
  XmFontListEntryFree(&entry);
  return list;
}

void setWidgetFont(Widget widget, const char* fontName) {
  XmFontList list = loadFontList(widget, fontName);
  if (!list) return;
  XtVaSetValues(widget, XmNfontList, list, nullptr);
  XmFontListFree(list);
}

XmString setXmStringLength(const std::string& text, XmFontList fontList, int width, int colon) {
  std::string padded = text;
  bool wasPadded = false;
  if (fontList && width > 0 && textWidth(padded, fontList) < width) {
    // A blank that renders 0 pixels wide would never reach the width: the
    // padding is bounded by the width in pixels, one blank at least per pixel.
    for (int guard = 0; guard < width && textWidth(padded, fontList) < width; ++guard) {
      padded += ' ';
      wasPadded = true;
    }
  }
  if (wasPadded && colon == 1) padded += ':';
  return XmStringCreateLocalized(const_cast<char*>(padded.c_str()));
}

std::string xmStringToText(XmString string) { return segments(string, false); }

std::string xmStringFirstLine(XmString string) { return segments(string, true); }

XmString makeXmString(const char* text) {
  if (!text) return nullptr;
  return XmStringCreateLocalized(const_cast<char*>(text));
}

std::vector<XmString> parseXmStringList(const std::string& text) {
  std::vector<XmString> out;
  size_t i = 0;
  for (;;) {
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    std::string item;
    while (i < text.size() && text[i] != ',') {
      if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == ',') ++i;
      item += text[i++];
    }
    out.push_back(XmStringCreateLocalized(const_cast<char*>(item.c_str())));
    if (i >= text.size()) break;
    ++i;  // the comma
  }
  return out;
}
