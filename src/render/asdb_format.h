// The resource archive's file layout, shared by the reader and the archive packer.
// All integers are little-endian; offsets are absolute positions in the file.
//   header (12 bytes):  "ASDb", record count (u32), table offset (u32)
//   table entry:        name length (u32), name bytes, record offset (u32)
//   record header (44): type (u16), unpacked size (u32), stored size (u32), date (f64, days
//                       since 1899-12-30), checksum (16 bytes), secure (u16), chaining value
//                       (2 x u32); the stored bytes, one zlib stream, follow it.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace ox::render {

inline constexpr std::uint32_t kAsdbSignature = 0x62445341;  // "ASDb" read as a u32
inline constexpr std::uint32_t kAsdbHeaderSize = 12;
inline constexpr std::uint32_t kAsdbRecordHeaderSize = 44;
inline constexpr std::uint16_t kAsdbFontRecordType = 3;

// One record as the table and its record header describe it.
struct TASDbRecord {
  std::string name;
  std::uint32_t offset = 0;  // of the record header
  std::uint16_t type = 0;
  std::uint32_t unpackedSize = 0;
  std::uint32_t storedSize = 0;
  double date = 0;
  std::array<std::uint8_t, 16> checksum{};
  std::uint16_t secure = 0;  // low byte non-zero: the stored bytes are enciphered
  std::array<std::uint32_t, 2> chainingValue{};
};

}  // namespace ox::render
