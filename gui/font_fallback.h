// Font resources that name no installed font. The fallback fonts of the
// program are written for servers whose Lucida fonts have an empty
// add-style; where none matches, the nearest installed font of the same
// weight and slant takes the name's place in the display's resource
// database, so that the toolkit finds a font and warns of nothing.
#pragma once

#include <X11/Xlib.h>

#include <functional>
#include <string>
#include <vector>

// Of the installed font names, the one nearest to the pattern `wanted`
// (an XLFD name with wildcards) of the same weight and slant: the same
// family first, then the nearest pixel size, then the same set width. ""
// when none has that weight and slant or `wanted` is no XLFD name.
std::string nearestFontName(const std::string& wanted, const std::vector<std::string>& installed);

// A font-list value ("font[=tag],font[=tag]...") with each font for which
// `substitute` gives a name replaced by that name (tags kept); a value of
// another syntax (font sets) comes back as it is.
std::string replaceFontsInList(const std::string& value,
                               const std::function<std::string(const std::string&)>& substitute);

// Rewrites every font-list resource (FontList, fontList, SysFont1) of the
// display's database whose fonts match no installed font.
void substituteMissingFonts(Display* dpy);
