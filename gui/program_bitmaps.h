// The bitmaps compiled into the administration program: the window icon
// (48 x 50, a printer with a sheet) and the logo (the word mark "Velta").
// Both are in X bitmap layout: rows from the top, least significant bit first.
#pragma once

extern const int kJarnIconWidth;
extern const int kJarnIconHeight;
extern const unsigned char kJarnIconBits[];

extern const int kJarnLogoWidth;
extern const int kJarnLogoHeight;
extern const unsigned char kJarnLogoBits[];
