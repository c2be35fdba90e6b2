// Rebuilding the attribute list of a PCL XL BeginPage operator with the
// job's page size, media source and type, output bin and duplex.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "job_settings.h"

// One attribute of a list: its bytes run from start (the value's type tag)
// to end (just after the attribute id), as offsets into the list.
struct PxlAttributeSpan {
  std::uint32_t start;
  std::uint32_t end;
  std::uint8_t id;
};

// The page being rebuilt: its list (the bytes before the BeginPage byte),
// the attributes found in it, whether it is the job's first rebuilt page and
// the stream's byte order.
struct PxlPageList {
  const std::uint8_t* bytes;
  std::size_t size;
  const PxlAttributeSpan* attributes;
  std::size_t attributeCount;
  bool firstPage;
  bool highByteFirst;
};

// Writes the new list followed by the BeginPage byte into out (emptied
// first). Returns false, writing nothing, when the list holds no attribute:
// such a page passes unchanged and is not counted as the first page.
bool rebuildBeginPage(const PxlPageList& page, const JobSettings& settings, std::string& out);

// The MediaSize value for a PCL page-size code (-p).
int pxlMediaSizeValue(int pclPageSize);
// The MediaSource value for an input tray (-t), for models of the PCL XL
// source list.
int pxlMediaSourceValue(int tray);
// The media name for a media type code (-m); sourceListModel chooses the
// table of the PCL XL source-list models.
const char* pxlMediaTypeName(int mediaType, bool sourceListModel);
