// The model table of registration offsets.
#include "pcl_registration.h"

namespace {

// How a variant's 16 offsets are made: 'S' (x, y, z): FL (-x, y), BL (x, y),
// FS (-x, y), BS (-x, z) on both sheets; 'T' (x): first sheet all (-x, 0),
// later sheets FL (x, 0) and the others (-x, 0); 'E': the 16 values as given.
struct Variant {
  char shape;
  int v[16];
};

struct RegistrationRow {
  int ranges[40];  // pairs of first and last id, ended by 0, 0
  Variant mono;
  Variant colour;
};

const RegistrationRow kRows[] = {
    {{1, 17, 19, 19, 21, 29, 39, 41, 49, 49, 51, 52, 55, 56, 65, 68, 70, 72, 80, 82, 84, 84, 86, 86,
      158, 160, 162, 163, 165, 174, 177, 181, 183, 194, 204, 206, 216, 218, 0, 0},
     {'S', {165, 0, 0}}, {'S', {50, 120, -120}}},
    {{221, 221, 223, 226, 0, 0}, {'S', {165, 0, 0}}, {'S', {50, 120, -120}}},
    {{30, 30, 44, 48, 63, 64, 78, 79, 132, 132, 134, 134, 136, 136, 0, 0}, {'T', {165}}, {'T', {165}}},
    {{31, 33, 35, 38, 42, 43, 57, 58, 73, 74, 87, 87, 0, 0},
     {'T', {166}},
     {'E', {-50, 120, -50, 120, -50, 120, -50, 120, 50, -120, -50, 120, -50, -120, -50, 120}}},
    {{53, 54, 0, 0}, {'S', {85, 0, 0}}, {'S', {-54, 120, -120}}},
    {{61, 62, 76, 77, 0, 0}, {'S', {166, 0, 0}}, {'S', {166, 0, 0}}},
    {{69, 69, 83, 83, 85, 85, 0, 0}, {'S', {166, 0, 0}}, {'S', {54, 120, -120}}},
    {{139, 139, 0, 0},
     {'E', {-155, 0, -155, 0, -155, 0, -175, 0, 155, 0, -155, 0, -155, 0, -175, 0}},
     {'E', {-155, 0, -155, 0, -155, 0, -175, 0, 155, 0, -155, 0, -155, 0, -175, 0}}},
    {{156, 156, 0, 0},
     {'T', {120}},
     {'E', {0, 115, 50, 115, 0, 115, 0, 115, 0, 115, 50, 115, 0, -115, 0, 115}}},
    {{157, 157, 0, 0}, {'S', {165, -10, 10}}, {'S', {50, 110, -110}}},
    {{161, 161, 175, 176, 0, 0},
     {'T', {165}},
     {'E', {-50, 120, -50, 120, -50, 120, -50, 120, 50, 120, -50, 120, -50, -120, -50, 120}}},
    {{164, 164, 0, 0},
     {'E', {-100, 0, -85, 0, -100, 0, -85, 0, -100, 0, -85, 0, -100, 0, -85, 0}},
     {'E', {0, 120, 40, 120, 0, 120, 40, 120, 0, 120, 40, 120, 0, 120, 40, 120}}},
    {{182, 182, 0, 0},
     {'E', {-165, 0, -165, 0, -165, 0, -165, 0, -165, 0, -165, 0, -165, 0, -165, 0}},
     {'E', {-50, 120, -50, 120, -50, 120, -50, 120, -50, 120, -50, 120, -50, 120, -50, 120}}},
};

const Variant kDefaultVariant = {'S', {165, 0, 0}};

bool rowHolds(const RegistrationRow& row, int id) {
  for (int i = 0; row.ranges[i] != 0; i += 2)
    if (id >= row.ranges[i] && id <= row.ranges[i + 1]) return true;
  return false;
}

void expand(const Variant& v, int* out) {
  if (v.shape == 'E') {
    for (int i = 0; i < 16; ++i) out[i] = v.v[i];
    return;
  }
  for (int sheet = 0; sheet < 16; sheet += kLaterSheet) {
    int* o = out + sheet;
    if (v.shape == 'S') {
      int x = v.v[0], y = v.v[1], z = v.v[2];
      const int pairs[8] = {-x, y, x, y, -x, y, -x, z};
      for (int i = 0; i < 8; ++i) o[i] = pairs[i];
    } else {  // 'T'
      int x = v.v[0];
      for (int i = 0; i < 8; i += 2) {
        o[i] = -x;
        o[i + 1] = 0;
      }
      if (sheet == kLaterSheet) o[0] = x;
    }
  }
}

}  // namespace

void setRegistrationOffsets(JobSettings& s, int colourFlag) {
  bool colour = colourFlag != 0 || s.colorMode != 0;
  const Variant* chosen = &kDefaultVariant;
  for (const RegistrationRow& row : kRows) {
    if (rowHolds(row, s.modelId)) {
      chosen = colour ? &row.colour : &row.mono;
      break;
    }
  }
  expand(*chosen, s.registrationOffsets);
}

int registrationPairIndex(int duplex, long long page) {
  if (duplex != 1 && duplex != 2) return 0;
  int edge = duplex == 1 ? 0 : 4;  // long-edge or short-edge pairs
  if (page == 0) return edge;
  if (page == 1) return edge + 2;
  return kLaterSheet + edge + (page % 2 == 0 ? 0 : 2);
}
