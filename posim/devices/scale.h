// The scale's weight: the gross load less the zero offset, in the units the
// scale is set to, and the record a read delivers.
#pragma once

#include <cstdint>

#include "posim/devices/device.h"

namespace posim {

inline constexpr std::size_t kScaleRecordSize = 8;
inline constexpr std::int32_t kZeroLimitGrams = 500;  // the most a zeroing may take off

// Flags of the weight record.
inline constexpr std::uint16_t kWeightStable = 0x1;
inline constexpr std::uint16_t kWeightZero = 0x2;
inline constexpr std::uint16_t kWeightNegative = 0x4;

std::int32_t NetGrams(Device& scale);
// Recomputes "currentWeight" after the load, the zero or the units changed.
void UpdateWeight(Device& scale);
// Type (u16, the units), Flags (u16) and WtValue (i32), little-endian.
void ScaleRecord(Device& scale, std::uint8_t (&record)[kScaleRecordSize]);

}  // namespace posim
