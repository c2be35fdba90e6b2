// The PCL XL tag set of protocol class 2.x as tables: byte classes, type
// indexes and the named tags.
#include "pxl_tags.h"

#include <algorithm>
#include <vector>

namespace {

// Operator bytes the parser handles, as [first, last] ranges.
const std::uint8_t kOperatorRanges[][2] = {
    {0x41, 0x44}, {0x46, 0x4B}, {0x4F, 0x55}, {0x5B, 0x5E}, {0x60, 0x7D}, {0x7F, 0x81},
    {0x84, 0x86}, {0x91, 0x91}, {0x93, 0x93}, {0x95, 0x99}, {0x9B, 0x9B}, {0x9D, 0xA3},
    {0xA8, 0xAA}, {0xB0, 0xB6}, {0xB8, 0xB8}, {0xB9, 0xB9}, {0xBF, 0xBF}};

// Data-type bytes, as [first, last] ranges.
const std::uint8_t kDataTypeRanges[][2] = {{0xC0, 0xC5}, {0xC8, 0xCD}, {0xD0, 0xD5},
                                           {0xD8, 0xDD}, {0xE0, 0xE5}, {0xE8, 0xED}};

// Type index of each data-type byte that names a type.
struct TypeByte {
  std::uint8_t byte;
  std::uint8_t index;
};
const TypeByte kTypeBytes[] = {
    {0xC0, 0},  {0xC1, 2},  {0xC2, 4},  {0xC3, 3},  {0xC4, 5},  {0xC5, 6},   // scalars
    {0xD0, 16}, {0xD1, 18}, {0xD2, 20}, {0xD3, 19}, {0xD4, 21}, {0xD5, 22},  // xy pairs
    {0xE0, 32}, {0xE1, 34}, {0xE2, 36}, {0xE3, 35}, {0xE4, 37}, {0xE5, 38},  // boxes
    {0xC8, 48}, {0xC9, 50}, {0xCA, 52}, {0xCB, 51}, {0xCC, 53}, {0xCD, 54},  // arrays
};

const std::uint8_t kWhiteSpace[] = {0x00, 0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x20};

struct Tables {
  PxlByteClass byteClass[256];
  signed char typeIndex[256];
  bool knownOperator[256];
  PxlTypeInfo typeInfo[256];
  std::vector<PxlTagEntry> sorted;
};

bool compareTags(const PxlTagEntry& a, const PxlTagEntry& b) {
  if (a.code != b.code) return a.code < b.code;
  if (a.context != b.context) return a.context < b.context;
  return a.tagClass < b.tagClass;
}

const PxlTagEntry* searchSorted(const std::vector<PxlTagEntry>& rows, std::uint16_t tagClass, std::uint32_t code,
                                std::uint16_t context) {
  PxlTagEntry key{nullptr, tagClass, code, context};
  auto it = std::lower_bound(rows.begin(), rows.end(), key, compareTags);
  if (it == rows.end() || it->code != code || it->context != context || it->tagClass != tagClass) return nullptr;
  return &*it;
}

Tables buildTagTable() {
  Tables t;
  for (int b = 0; b < 256; ++b) {
    t.byteClass[b] = kPxlInvalid;
    t.typeIndex[b] = kPxlNoType;
    t.knownOperator[b] = false;
  }
  t.byteClass[0x1B] = kPxlUel;
  t.byteClass[0x27] = t.byteClass[0x28] = t.byteClass[0x29] = kPxlBinding;
  t.byteClass[0x40] = kPxlPjlLine;
  for (const auto& r : kOperatorRanges)
    for (int b = r[0]; b <= r[1]; ++b) t.byteClass[b] = kPxlOperator;
  for (const auto& r : kDataTypeRanges)
    for (int b = r[0]; b <= r[1]; ++b) t.byteClass[b] = kPxlDataType;
  t.byteClass[0xF8] = kPxlAttributeId;
  t.byteClass[0xFA] = kPxlData4;
  t.byteClass[0xFB] = kPxlData1;
  for (std::uint8_t b : kWhiteSpace) t.byteClass[b] = kPxlWhiteSpace;
  for (const TypeByte& tb : kTypeBytes) t.typeIndex[tb.byte] = static_cast<signed char>(tb.index);

  t.sorted.assign(kPxlTagRows, kPxlTagRows + kPxlTagRowCount);
  std::sort(t.sorted.begin(), t.sorted.end(), compareTags);
  for (int b = 0; b < 256; ++b) {
    t.knownOperator[b] = t.byteClass[b] == kPxlOperator &&
                         searchSorted(t.sorted, kTagOperator, static_cast<std::uint32_t>(b), kContextOperator);
    if (t.byteClass[b] == kPxlOperator && !t.knownOperator[b]) t.byteClass[b] = kPxlUnknownOperator;
    int index = t.typeIndex[b];
    if (t.byteClass[b] == kPxlDataType && index == kPxlNoType) t.byteClass[b] = kPxlUnknownType;
    t.typeInfo[b] = PxlTypeInfo{0, 0, 0};
    if (index != kPxlNoType) {
      auto size = static_cast<std::uint8_t>(pxlElementSize(index));
      auto count = static_cast<std::uint8_t>(pxlElementCount(index));
      t.typeInfo[b] = PxlTypeInfo{size, count, static_cast<std::uint8_t>(size * count)};
    }
  }
  return t;
}

const Tables& tables() {
  static const Tables t = buildTagTable();
  return t;
}

}  // namespace

// Names and codes of the published PCL XL tag set (class 2.x).
const PxlTagEntry kPxlTagRows[] = {
    {"Operator_Symbols", kTagGroup, 1, kContextGroup},
    {"Attribute_Symbols", kTagGroup, 2, kContextGroup},
    {"Enumeration_Symbols", kTagGroup, 3, kContextGroup},
    {"DataType_Symbols", kTagGroup, 4, kContextGroup},

    {"BeginSession", kTagOperator, 0x41, kContextOperator},
    {"EndSession", kTagOperator, 0x42, kContextOperator},
    {"BeginPage", kTagOperator, 0x43, kContextOperator},
    {"EndPage", kTagOperator, 0x44, kContextOperator},
    {"VendorUnique", kTagOperator, 0x46, kContextOperator},
    {"Comment", kTagOperator, 0x47, kContextOperator},
    {"OpenDataSource", kTagOperator, 0x48, kContextOperator},
    {"CloseDataSource", kTagOperator, 0x49, kContextOperator},
    {"EchoComment", kTagOperator, 0x4A, kContextOperator},
    {"Query", kTagOperator, 0x4B, kContextOperator},
    {"BeginFontHeader", kTagOperator, 0x4F, kContextOperator},
    {"ReadFontHeader", kTagOperator, 0x50, kContextOperator},
    {"EndFontHeader", kTagOperator, 0x51, kContextOperator},
    {"BeginChar", kTagOperator, 0x52, kContextOperator},
    {"ReadChar", kTagOperator, 0x53, kContextOperator},
    {"EndChar", kTagOperator, 0x54, kContextOperator},
    {"RemoveFont", kTagOperator, 0x55, kContextOperator},
    {"SetCharAttributes", kTagOperator, 0x56, kContextOperator},
    {"BeginStream", kTagOperator, 0x5B, kContextOperator},
    {"ReadStream", kTagOperator, 0x5C, kContextOperator},
    {"EndStream", kTagOperator, 0x5D, kContextOperator},
    {"ExecStream", kTagOperator, 0x5E, kContextOperator},
    {"RemoveStream", kTagOperator, 0x5F, kContextOperator},
    {"PopGS", kTagOperator, 0x60, kContextOperator},
    {"PushGS", kTagOperator, 0x61, kContextOperator},
    {"SetClipReplace", kTagOperator, 0x62, kContextOperator},
    {"SetBrushSource", kTagOperator, 0x63, kContextOperator},
    {"SetCharAngle", kTagOperator, 0x64, kContextOperator},
    {"SetCharScale", kTagOperator, 0x65, kContextOperator},
    {"SetCharShear", kTagOperator, 0x66, kContextOperator},
    {"SetClipIntersect", kTagOperator, 0x67, kContextOperator},
    {"SetClipRectangle", kTagOperator, 0x68, kContextOperator},
    {"SetClipToPage", kTagOperator, 0x69, kContextOperator},
    {"SetColorSpace", kTagOperator, 0x6A, kContextOperator},
    {"SetCursor", kTagOperator, 0x6B, kContextOperator},
    {"SetCursorRel", kTagOperator, 0x6C, kContextOperator},
    {"SetHalftoneMethod", kTagOperator, 0x6D, kContextOperator},
    {"SetFillMode", kTagOperator, 0x6E, kContextOperator},
    {"SetFont", kTagOperator, 0x6F, kContextOperator},
    {"SetLineDash", kTagOperator, 0x70, kContextOperator},
    {"SetLineCap", kTagOperator, 0x71, kContextOperator},
    {"SetLineJoin", kTagOperator, 0x72, kContextOperator},
    {"SetMiterLimit", kTagOperator, 0x73, kContextOperator},
    {"SetPageDefaultCTM", kTagOperator, 0x74, kContextOperator},
    {"SetPageOrigin", kTagOperator, 0x75, kContextOperator},
    {"SetPageRotation", kTagOperator, 0x76, kContextOperator},
    {"SetPageScale", kTagOperator, 0x77, kContextOperator},
    {"SetPatternTxMode", kTagOperator, 0x78, kContextOperator},
    {"SetPenSource", kTagOperator, 0x79, kContextOperator},
    {"SetPenWidth", kTagOperator, 0x7A, kContextOperator},
    {"SetROP", kTagOperator, 0x7B, kContextOperator},
    {"SetSourceTxMode", kTagOperator, 0x7C, kContextOperator},
    {"SetCharBoldValue", kTagOperator, 0x7D, kContextOperator},
    {"SetClipMode", kTagOperator, 0x7F, kContextOperator},
    {"SetPathToClip", kTagOperator, 0x80, kContextOperator},
    {"SetCharSubMode", kTagOperator, 0x81, kContextOperator},
    {"CloseSubPath", kTagOperator, 0x84, kContextOperator},
    {"NewPath", kTagOperator, 0x85, kContextOperator},
    {"PaintPath", kTagOperator, 0x86, kContextOperator},
    {"ArcPath", kTagOperator, 0x91, kContextOperator},
    {"BezierPath", kTagOperator, 0x93, kContextOperator},
    {"BezierRelPath", kTagOperator, 0x95, kContextOperator},
    {"Chord", kTagOperator, 0x96, kContextOperator},
    {"ChordPath", kTagOperator, 0x97, kContextOperator},
    {"Ellipse", kTagOperator, 0x98, kContextOperator},
    {"EllipsePath", kTagOperator, 0x99, kContextOperator},
    {"LinePath", kTagOperator, 0x9B, kContextOperator},
    {"LineRelPath", kTagOperator, 0x9D, kContextOperator},
    {"Pie", kTagOperator, 0x9E, kContextOperator},
    {"PiePath", kTagOperator, 0x9F, kContextOperator},
    {"Rectangle", kTagOperator, 0xA0, kContextOperator},
    {"RectanglePath", kTagOperator, 0xA1, kContextOperator},
    {"RoundRectangle", kTagOperator, 0xA2, kContextOperator},
    {"RoundRectanglePath", kTagOperator, 0xA3, kContextOperator},
    {"Text", kTagOperator, 0xA8, kContextOperator},
    {"TextPath", kTagOperator, 0xA9, kContextOperator},
    {"SystemText", kTagOperator, 0xAA, kContextOperator},
    {"BeginImage", kTagOperator, 0xB0, kContextOperator},
    {"ReadImage", kTagOperator, 0xB1, kContextOperator},
    {"EndImage", kTagOperator, 0xB2, kContextOperator},
    {"BeginRastPattern", kTagOperator, 0xB3, kContextOperator},
    {"ReadRastPattern", kTagOperator, 0xB4, kContextOperator},
    {"EndRastPattern", kTagOperator, 0xB5, kContextOperator},
    {"BeginScan", kTagOperator, 0xB6, kContextOperator},
    {"EndScan", kTagOperator, 0xB8, kContextOperator},
    {"ScanLineRel", kTagOperator, 0xB9, kContextOperator},
    {"PassThrough", kTagOperator, 0xBF, kContextOperator},

    {"ubyte", kTagDataType, 0, kContextDataType},
    {"uint16", kTagDataType, 2, kContextDataType},
    {"sint16", kTagDataType, 3, kContextDataType},
    {"uint32", kTagDataType, 4, kContextDataType},
    {"sint32", kTagDataType, 5, kContextDataType},
    {"real32", kTagDataType, 6, kContextDataType},
    {"dataLength", kTagDataType, 14, kContextDataType},
    {"dataLengthByte", kTagDataType, 15, kContextDataType},
    {"ubyte_xy", kTagDataType, 16, kContextDataType},
    {"uint16_xy", kTagDataType, 18, kContextDataType},
    {"sint16_xy", kTagDataType, 19, kContextDataType},
    {"uint32_xy", kTagDataType, 20, kContextDataType},
    {"sint32_xy", kTagDataType, 21, kContextDataType},
    {"real32_xy", kTagDataType, 22, kContextDataType},
    {"ubyte_box", kTagDataType, 32, kContextDataType},
    {"uint16_box", kTagDataType, 34, kContextDataType},
    {"sint16_box", kTagDataType, 35, kContextDataType},
    {"uint32_box", kTagDataType, 36, kContextDataType},
    {"sint32_box", kTagDataType, 37, kContextDataType},
    {"real32_box", kTagDataType, 38, kContextDataType},
    {"ubyte_array", kTagDataType, 48, kContextDataType},
    {"uint16_array", kTagDataType, 50, kContextDataType},
    {"sint16_array", kTagDataType, 51, kContextDataType},
    {"uint32_array", kTagDataType, 52, kContextDataType},
    {"sint32_array", kTagDataType, 53, kContextDataType},
    {"real32_array", kTagDataType, 54, kContextDataType},

    {"ubyte_raw*", kTagRawForm, 0, kContextDataType},
    {"uint16_raw*", kTagRawForm, 2, kContextDataType},
    {"sint16_raw*", kTagRawForm, 3, kContextDataType},
    {"uint32_raw*", kTagRawForm, 4, kContextDataType},
    {"sint32_raw*", kTagRawForm, 5, kContextDataType},
    {"real32_raw*", kTagRawForm, 6, kContextDataType},
    {"ubyte_source*", kTagSourceForm, 0, kContextDataType},
    {"uint16_source*", kTagSourceForm, 2, kContextDataType},
    {"sint16_source*", kTagSourceForm, 3, kContextDataType},
    {"uint32_source*", kTagSourceForm, 4, kContextDataType},
    {"sint32_source*", kTagSourceForm, 5, kContextDataType},
    {"real32_source*", kTagSourceForm, 6, kContextDataType},
    {"ubyte_raw_array*", kTagRawArrayForm, 48, kContextDataType},
    {"uint16_raw_array*", kTagRawArrayForm, 50, kContextDataType},
    {"ubyte_source_array*", kTagSourceArrayForm, 48, kContextDataType},
    {"uint16_source_array*", kTagSourceArrayForm, 50, kContextDataType},
    {"real32_source_array*", kTagSourceArrayForm, 54, kContextDataType},

    {"CMYColor", kTagAttribute, 1, kContextAttribute},
    {"PaletteDepth", kTagAttribute, 2, kContextAttribute},
    {"ColorSpace", kTagAttribute, 3, kContextAttribute},
    {"NullBrush", kTagAttribute, 4, kContextAttribute},
    {"NullPen", kTagAttribute, 5, kContextAttribute},
    {"PaletteData", kTagAttribute, 6, kContextAttribute},
    {"PaletteIndex", kTagAttribute, 7, kContextAttribute},
    {"PatternSelectID", kTagAttribute, 8, kContextAttribute},
    {"GrayLevel", kTagAttribute, 9, kContextAttribute},
    {"RGBColor", kTagAttribute, 11, kContextAttribute},
    {"PatternOrigin", kTagAttribute, 12, kContextAttribute},
    {"NewDestinationSize", kTagAttribute, 13, kContextAttribute},
    {"PrimaryArray", kTagAttribute, 14, kContextAttribute},
    {"PrimaryDepth", kTagAttribute, 15, kContextAttribute},
    {"ColorimetricColorSpace", kTagAttribute, 17, kContextAttribute},
    {"XYChromaticities", kTagAttribute, 18, kContextAttribute},
    {"WhiteReferencePoint", kTagAttribute, 19, kContextAttribute},
    {"CRGBMinMax", kTagAttribute, 20, kContextAttribute},
    {"GammaGain", kTagAttribute, 21, kContextAttribute},
    {"AllObjectTypes", kTagAttribute, 29, kContextAttribute},
    {"TextObjects", kTagAttribute, 30, kContextAttribute},
    {"VectorObjects", kTagAttribute, 31, kContextAttribute},
    {"RasterObjects", kTagAttribute, 32, kContextAttribute},
    {"DeviceMatrix", kTagAttribute, 33, kContextAttribute},
    {"DitherMatrixDataType", kTagAttribute, 34, kContextAttribute},
    {"DitherOrigin", kTagAttribute, 35, kContextAttribute},
    {"MediaDestination", kTagAttribute, 36, kContextAttribute},
    {"MediaSize", kTagAttribute, 37, kContextAttribute},
    {"MediaSource", kTagAttribute, 38, kContextAttribute},
    {"MediaType", kTagAttribute, 39, kContextAttribute},
    {"Orientation", kTagAttribute, 40, kContextAttribute},
    {"PageAngle", kTagAttribute, 41, kContextAttribute},
    {"PageOrigin", kTagAttribute, 42, kContextAttribute},
    {"PageScale", kTagAttribute, 43, kContextAttribute},
    {"ROP3", kTagAttribute, 44, kContextAttribute},
    {"TxMode", kTagAttribute, 45, kContextAttribute},
    {"CustomMediaSize", kTagAttribute, 47, kContextAttribute},
    {"CustomMediaSizeUnits", kTagAttribute, 48, kContextAttribute},
    {"PageCopies", kTagAttribute, 49, kContextAttribute},
    {"DitherMatrixSize", kTagAttribute, 50, kContextAttribute},
    {"DitherMatrixDepth", kTagAttribute, 51, kContextAttribute},
    {"SimplexPageMode", kTagAttribute, 52, kContextAttribute},
    {"DuplexPageMode", kTagAttribute, 53, kContextAttribute},
    {"DuplexPageSide", kTagAttribute, 54, kContextAttribute},
    {"ArcDirection", kTagAttribute, 65, kContextAttribute},
    {"BoundingBox", kTagAttribute, 66, kContextAttribute},
    {"DashOffset", kTagAttribute, 67, kContextAttribute},
    {"EllipseDimension", kTagAttribute, 68, kContextAttribute},
    {"EndPoint", kTagAttribute, 69, kContextAttribute},
    {"FillMode", kTagAttribute, 70, kContextAttribute},
    {"LineCapStyle", kTagAttribute, 71, kContextAttribute},
    {"LineJoinStyle", kTagAttribute, 72, kContextAttribute},
    {"MiterLength", kTagAttribute, 73, kContextAttribute},
    {"LineDashStyle", kTagAttribute, 74, kContextAttribute},
    {"PenWidth", kTagAttribute, 75, kContextAttribute},
    {"Point", kTagAttribute, 76, kContextAttribute},
    {"NumberOfPoints", kTagAttribute, 77, kContextAttribute},
    {"SolidLine", kTagAttribute, 78, kContextAttribute},
    {"StartPoint", kTagAttribute, 79, kContextAttribute},
    {"PointType", kTagAttribute, 80, kContextAttribute},
    {"ControlPoint1", kTagAttribute, 81, kContextAttribute},
    {"ControlPoint2", kTagAttribute, 82, kContextAttribute},
    {"ClipRegion", kTagAttribute, 83, kContextAttribute},
    {"ClipMode", kTagAttribute, 84, kContextAttribute},
    {"ColorDepthArray", kTagAttribute, 97, kContextAttribute},
    {"ColorDepth", kTagAttribute, 98, kContextAttribute},
    {"BlockHeight", kTagAttribute, 99, kContextAttribute},
    {"ColorMapping", kTagAttribute, 100, kContextAttribute},
    {"CompressMode", kTagAttribute, 101, kContextAttribute},
    {"DestinationBox", kTagAttribute, 102, kContextAttribute},
    {"DestinationSize", kTagAttribute, 103, kContextAttribute},
    {"PatternPersistence", kTagAttribute, 104, kContextAttribute},
    {"PatternDefineID", kTagAttribute, 105, kContextAttribute},
    {"SourceHeight", kTagAttribute, 107, kContextAttribute},
    {"SourceWidth", kTagAttribute, 108, kContextAttribute},
    {"StartLine", kTagAttribute, 109, kContextAttribute},
    {"XPairType", kTagAttribute, 110, kContextAttribute},
    {"NumberOfXPairs", kTagAttribute, 111, kContextAttribute},
    {"XStart", kTagAttribute, 112, kContextAttribute},
    {"XEnd", kTagAttribute, 113, kContextAttribute},
    {"NumberOfScanLines", kTagAttribute, 115, kContextAttribute},
    {"ColorTreatment", kTagAttribute, 120, kContextAttribute},
    {"CommentData", kTagAttribute, 129, kContextAttribute},
    {"DataOrg", kTagAttribute, 130, kContextAttribute},
    {"Measure", kTagAttribute, 134, kContextAttribute},
    {"SourceType", kTagAttribute, 136, kContextAttribute},
    {"UnitsPerMeasure", kTagAttribute, 137, kContextAttribute},
    {"QueryKey", kTagAttribute, 138, kContextAttribute},
    {"StreamName", kTagAttribute, 139, kContextAttribute},
    {"StreamDataLength", kTagAttribute, 140, kContextAttribute},
    {"ErrorReport", kTagAttribute, 143, kContextAttribute},
    {"IOReadTimeOut", kTagAttribute, 144, kContextAttribute},
    {"VUExtension", kTagAttribute, 145, kContextAttribute},
    {"VUDataLength", kTagAttribute, 146, kContextAttribute},
    {"VUAttr1", kTagAttribute, 147, kContextAttribute},
    {"VUAttr2", kTagAttribute, 148, kContextAttribute},
    {"VUAttr3", kTagAttribute, 149, kContextAttribute},
    {"VUAttr4", kTagAttribute, 150, kContextAttribute},
    {"VUAttr5", kTagAttribute, 151, kContextAttribute},
    {"VUAttr6", kTagAttribute, 152, kContextAttribute},
    {"VUAttr7", kTagAttribute, 153, kContextAttribute},
    {"VUAttr8", kTagAttribute, 154, kContextAttribute},
    {"VUAttr9", kTagAttribute, 155, kContextAttribute},
    {"VUAttr10", kTagAttribute, 156, kContextAttribute},
    {"VUAttr11", kTagAttribute, 157, kContextAttribute},
    {"VUAttr12", kTagAttribute, 158, kContextAttribute},
    {"VUAttr13", kTagAttribute, 159, kContextAttribute},
    {"VUAttr14", kTagAttribute, 160, kContextAttribute},
    {"CharAngle", kTagAttribute, 161, kContextAttribute},
    {"CharCode", kTagAttribute, 162, kContextAttribute},
    {"CharDataSize", kTagAttribute, 163, kContextAttribute},
    {"CharScale", kTagAttribute, 164, kContextAttribute},
    {"CharShear", kTagAttribute, 165, kContextAttribute},
    {"CharSize", kTagAttribute, 166, kContextAttribute},
    {"FontHeaderLength", kTagAttribute, 167, kContextAttribute},
    {"FontName", kTagAttribute, 168, kContextAttribute},
    {"FontFormat", kTagAttribute, 169, kContextAttribute},
    {"SymbolSet", kTagAttribute, 170, kContextAttribute},
    {"TextData", kTagAttribute, 171, kContextAttribute},
    {"CharSubModeArray", kTagAttribute, 172, kContextAttribute},
    {"WritingMode", kTagAttribute, 173, kContextAttribute},
    {"BitmapCharScaling", kTagAttribute, 174, kContextAttribute},
    {"XSpacingData", kTagAttribute, 175, kContextAttribute},
    {"YSpacingData", kTagAttribute, 176, kContextAttribute},
    {"CharBoldValue", kTagAttribute, 177, kContextAttribute},

    {"eDefaultDestination", kTagEnumeration, 0, kAttrMediaDestination},
    {"eFaceDownBin", kTagEnumeration, 1, kAttrMediaDestination},
    {"eFaceUpBin", kTagEnumeration, 2, kAttrMediaDestination},
    {"eJobOffsetBin", kTagEnumeration, 3, kAttrMediaDestination},
    {"eLetterPaper", kTagEnumeration, 0, kAttrMediaSize},
    {"eLegalPaper", kTagEnumeration, 1, kAttrMediaSize},
    {"eA4Paper", kTagEnumeration, 2, kAttrMediaSize},
    {"eExecPaper", kTagEnumeration, 3, kAttrMediaSize},
    {"eLedgerPaper", kTagEnumeration, 4, kAttrMediaSize},
    {"eA3Paper", kTagEnumeration, 5, kAttrMediaSize},
    {"eCOM10Envelope", kTagEnumeration, 6, kAttrMediaSize},
    {"eMonarchEnvelope", kTagEnumeration, 7, kAttrMediaSize},
    {"eC5Envelope", kTagEnumeration, 8, kAttrMediaSize},
    {"eDLEnvelope", kTagEnumeration, 9, kAttrMediaSize},
    {"eJB4Paper", kTagEnumeration, 10, kAttrMediaSize},
    {"eJB5Paper", kTagEnumeration, 11, kAttrMediaSize},
    {"eB5Envelope", kTagEnumeration, 12, kAttrMediaSize},
    {"eJPostcard", kTagEnumeration, 14, kAttrMediaSize},
    {"eJDoublePostcard", kTagEnumeration, 15, kAttrMediaSize},
    {"eA5Paper", kTagEnumeration, 16, kAttrMediaSize},
    {"eA6Paper", kTagEnumeration, 17, kAttrMediaSize},
    {"eJB6Paper", kTagEnumeration, 18, kAttrMediaSize},
    {"eDefaultSource", kTagEnumeration, 0, kAttrMediaSource},
    {"eAutoSelect", kTagEnumeration, 1, kAttrMediaSource},
    {"eManualFeed", kTagEnumeration, 2, kAttrMediaSource},
    {"eMultiPurposeTray", kTagEnumeration, 3, kAttrMediaSource},
    {"eUpperCassette", kTagEnumeration, 4, kAttrMediaSource},
    {"eLowerCassette", kTagEnumeration, 5, kAttrMediaSource},
    {"eEnvelopeTray", kTagEnumeration, 6, kAttrMediaSource},
    {"eThirdCassette", kTagEnumeration, 7, kAttrMediaSource},
    {"ePortraitOrientation", kTagEnumeration, 0, kAttrOrientation},
    {"eLandscapeOrientation", kTagEnumeration, 1, kAttrOrientation},
    {"eReversePortrait", kTagEnumeration, 2, kAttrOrientation},
    {"eReverseLandscape", kTagEnumeration, 3, kAttrOrientation},
    {"eInch", kTagEnumeration, 0, kAttrCustomMediaSizeUnits},
    {"eMillimeter", kTagEnumeration, 1, kAttrCustomMediaSizeUnits},
    {"eTenthsOfAMillimeter", kTagEnumeration, 2, kAttrCustomMediaSizeUnits},
    {"eSimplexFrontSide", kTagEnumeration, 0, kAttrSimplexPageMode},
    {"eDuplexHorizontalBinding", kTagEnumeration, 0, kAttrDuplexPageMode},
    {"eDuplexVerticalBinding", kTagEnumeration, 1, kAttrDuplexPageMode},
    {"eFrontMediaSide", kTagEnumeration, 0, kAttrDuplexPageSide},
    {"eBackMediaSide", kTagEnumeration, 1, kAttrDuplexPageSide},
    {"eGray", kTagEnumeration, 1, 3},
    {"eRGB", kTagEnumeration, 2, 3},
    {"eSRGB", kTagEnumeration, 6, 3},
    {"eNoCompression", kTagEnumeration, 0, 101},
    {"eRLECompression", kTagEnumeration, 1, 101},
    {"eJPEGCompression", kTagEnumeration, 2, 101},
    {"eDeltaRowCompression", kTagEnumeration, 3, 101},
    {"eBinaryLowByteFirst", kTagEnumeration, 1, kAttrDataOrg},
    {"eBinaryHighByteFirst", kTagEnumeration, 0, kAttrDataOrg},
    {"eDefault", kTagEnumeration, 0, 136},
};
const std::size_t kPxlTagRowCount = sizeof kPxlTagRows / sizeof kPxlTagRows[0];

PxlByteClass pxlByteClass(std::uint8_t byte) { return tables().byteClass[byte]; }

const PxlByteClass* pxlByteClasses() { return tables().byteClass; }

const PxlTypeInfo* pxlTypeInfos() { return tables().typeInfo; }

int pxlTypeIndex(std::uint8_t byte) { return tables().typeIndex[byte]; }

int pxlElementSize(int typeIndex) {
  switch (typeIndex % 16) {
    case 0: return 1;
    case 2: case 3: return 2;
    default: return 4;
  }
}

int pxlElementCount(int typeIndex) {
  if (typeIndex < 16) return 1;
  if (typeIndex < 32) return 2;
  if (typeIndex < 48) return 4;
  return 0;
}

const PxlTagEntry* findTag(std::uint16_t tagClass, std::uint32_t code, std::uint16_t context) {
  return searchSorted(tables().sorted, tagClass, code, context);
}
