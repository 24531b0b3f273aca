#pragma once
// Little-endian numbers in byte strings, for the binary files the game reads
// and writes (bitmaps, the sound library, wave files). Callers check that
// `at` leaves room for the number before reading it.

#include <cstdint>
#include <string>

namespace gravlin {

inline std::uint16_t ReadU16(const std::string& b, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>(b[at]) | static_cast<std::uint8_t>(b[at + 1]) << 8);
}

inline std::uint32_t ReadU32(const std::string& b, std::size_t at) {
    return static_cast<std::uint32_t>(ReadU16(b, at)) | static_cast<std::uint32_t>(ReadU16(b, at + 2)) << 16;
}

inline void PutU16(std::string& b, std::uint16_t v) {
    b.push_back(static_cast<char>(v & 0xff));
    b.push_back(static_cast<char>(v >> 8));
}

inline void PutU32(std::string& b, std::uint32_t v) {
    PutU16(b, static_cast<std::uint16_t>(v & 0xffff));
    PutU16(b, static_cast<std::uint16_t>(v >> 16));
}

} // namespace gravlin
