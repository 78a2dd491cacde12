#pragma once
// 32-bit floats as the four little-endian bytes the store and the files keep.

#include <cstdint>
#include <cstring>

namespace ambrel {

inline void storeLittleEndianFloat(float value, std::uint8_t* out) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    for (int i = 0; i < 4; ++i) out[i] = static_cast<std::uint8_t>(bits >> (8 * i));
}

inline float loadLittleEndianFloat(const std::uint8_t* in) {
    std::uint32_t bits = 0;
    for (int i = 0; i < 4; ++i) bits |= static_cast<std::uint32_t>(in[i]) << (8 * i);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

}  // namespace ambrel
