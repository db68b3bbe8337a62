#include "posim/devices/scale.h"

#include <cmath>

namespace posim {

namespace {

void PutLittleEndian(std::uint8_t* out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

}  // namespace

std::int32_t NetGrams(Device& scale) {
  return scale.gross_weight - scale.zero_offset;
}

void UpdateWeight(Device& scale) {
  const std::int32_t grams = NetGrams(scale);
  const bool pounds = scale.own.Number("weightUnits") == 1;
  // Hundredths of a pound: 1 lb = 453.59237 g.
  scale.own.Number("currentWeight") =
      pounds ? std::lround(grams * 100.0 / 453.59237) : static_cast<long>(grams);
}

void ScaleRecord(Device& scale, std::uint8_t (&record)[kScaleRecordSize]) {
  UpdateWeight(scale);
  const std::int32_t value = static_cast<std::int32_t>(scale.own.Number("currentWeight"));
  std::uint16_t flags = kWeightStable;
  if (value == 0) flags |= kWeightZero;
  if (value < 0) flags |= kWeightNegative;
  PutLittleEndian(record, static_cast<std::uint32_t>(scale.own.Number("weightUnits")), 2);
  PutLittleEndian(record + 2, flags, 2);
  PutLittleEndian(record + 4, static_cast<std::uint32_t>(value), 4);
}

}  // namespace posim
