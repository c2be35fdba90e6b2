// The PCL XL tag set as data: the class of every stream byte, the type index
// of every data-type byte, and the tag table of operators, attributes,
// enumerations and data types (sorted at first use, searched by binary
// search). The parser and the page rewrite read these; nothing else does.
#pragma once

#include <cstddef>
#include <cstdint>

// What a byte starts when it is read where a token may begin.
enum PxlByteClass : std::uint8_t {
  kPxlInvalid = 0,
  kPxlUel,         // ESC: a UEL, up to its 'X'
  kPxlBinding,     // ' ( ): a stream (binding) header line
  kPxlPjlLine,     // '@': a PJL line
  kPxlOperator,
  kPxlDataType,
  kPxlAttributeId, // 0xF8 (out of place where a token begins)
  kPxlData4,       // 0xFA: embedded data with a 4-byte length
  kPxlData1,       // 0xFB: embedded data with a 1-byte length
  kPxlWhiteSpace,  // 0x00, 0x09..0x0D, 0x20: copied, no meaning
  kPxlUnknownOperator,  // an operator byte the tag table does not name
  kPxlUnknownType       // a data-type byte that names no type
};

// Classes of the tag table.
enum PxlTagClass : std::uint16_t {
  kTagGroup = 0,
  kTagOperator = 1,
  kTagDataType = 3,
  kTagAttribute = 4,
  kTagEnumeration = 5,
  kTagRawForm = 9,
  kTagSourceForm = 10,
  kTagRawArrayForm = 11,
  kTagSourceArrayForm = 12
};

// Contexts of the tag table's rows that are no enumeration.
constexpr std::uint16_t kContextDataType = 0xFFFE;
constexpr std::uint16_t kContextOperator = 0xFFFD;
constexpr std::uint16_t kContextAttribute = 0xFFFC;
constexpr std::uint16_t kContextGroup = 0xFFFF;

struct PxlTagEntry {
  const char* name;
  std::uint16_t tagClass;
  std::uint32_t code;
  std::uint16_t context;
};

// Operator bytes and attribute ids the page rewrite and the parser name.
enum : std::uint8_t {
  kOpBeginPage = 0x43,
  kOpVendorUnique = 0x46,  // its list may announce vendor data that follows it
  kAttrMediaDestination = 36,
  kAttrMediaSize = 37,
  kAttrMediaSource = 38,
  kAttrMediaType = 39,
  kAttrOrientation = 40,
  kAttrCustomMediaSize = 47,
  kAttrCustomMediaSizeUnits = 48,
  kAttrSimplexPageMode = 52,
  kAttrDuplexPageMode = 53,
  kAttrDuplexPageSide = 54,
  kAttrPointType = 80,
  kAttrXPairType = 110,
  kAttrDataOrg = 130,
  kAttrVUDataLength = 146  // bytes of vendor data after a VendorUnique
};

constexpr int kPxlNoType = -1;

// What the parser needs of a data-type byte: elements 0 means an array
// (its count comes from the stream).
struct PxlTypeInfo {
  std::uint8_t elementSize;
  std::uint8_t elements;
  std::uint8_t valueBytes;  // elementSize * elements
};

// The class of a byte read where a token begins.
PxlByteClass pxlByteClass(std::uint8_t byte);
// The whole byte-class table (256 entries), for the parser's inner loop.
const PxlByteClass* pxlByteClasses();
// The type index of a data-type byte (0 ubyte .. 54 real32 array), or
// kPxlNoType for a byte that names no type.
int pxlTypeIndex(std::uint8_t byte);
// The type facts of every byte (256 entries; only data-type bytes matter).
const PxlTypeInfo* pxlTypeInfos();
// Bytes per element of a type index (1, 2 or 4).
int pxlElementSize(int typeIndex);
// Elements of a type index: 1, 2 (xy), 4 (box), or 0 for an array (its
// count is read from the stream).
int pxlElementCount(int typeIndex);

// The row for (class, code, context), or nullptr. The table is copied and
// sorted on first use (code, then context, then class).
const PxlTagEntry* findTag(std::uint16_t tagClass, std::uint32_t code, std::uint16_t context);
// The built-in rows, unsorted, and their number.
extern const PxlTagEntry kPxlTagRows[];
extern const std::size_t kPxlTagRowCount;
