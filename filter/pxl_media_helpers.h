// Small PCL XL writers and readers around the page's media attributes,
// kept beside the page rewrite for callers that build or inspect lists.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "pxl_begin_page.h"
#include "stream_io.h"

// Writes a non-empty text as a ubyte array with a two-byte length, low byte
// first (0xC8 0xC1 len-lo len-hi bytes); an empty text writes nothing.
void writePXLUbyteArray(const std::string& text, OutputWriter& out);

// Writes the MediaType attribute for a media code 1..14 (the name as a
// ubyte array, then 0xF8 0x27); other codes write nothing.
void writePXLMediaType(int code, OutputWriter& out);

// The character of the same code for the page attribute ids (36, 37, 38,
// 39, 40, 47, 48, 52, 53, 54), else 0.
char attributeIdChar(int attributeId);

// The PCL page-size code of a MediaSize attribute in a list: a ubyte value
// as it is, a media name by its table; -1 when the attribute is no
// MediaSize or the name is unknown.
int pclPageSizeCode(const std::uint8_t* list, const PxlAttributeSpan& attribute);
