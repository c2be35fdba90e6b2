// Finding where a PostScript document's header comments end, so that feature
// code can go right after them and before the prolog.
#pragma once

#include <cstddef>

// The header's end in the block: the start of the first line that is not a
// comment, or the position after a "%%EndComments" line or a lone "%" line
// (and the line ends that follow it). Only the header's own comment lines
// are looked at. Returns false when the block ends inside the header;
// whole: the block is the whole job, so its end also ends its last line.
bool findPSHeaderEnd(const char* block, std::size_t length, std::size_t* end, bool whole = false);

// Whether the comment line that starts at lineStart (lineEnd: its end,
// before its line-end bytes) ends the header.
bool findEndComments(const char* lineStart, const char* lineEnd);

// The position after the block's first line and the line ends that follow
// it, or false when the first line does not end inside the block.
bool findFirstLineEnd(const char* block, std::size_t length, std::size_t* end);
