// A cursor over the bytes of one record. Every read checks the bytes left first, so a length
// claimed by a damaged file is never allocated or read past; a short read throws ReadError.
#pragma once

#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <string_view>

namespace ox::scene {

class ReadError : public std::runtime_error {
 public:
  explicit ReadError(const std::string& what) : std::runtime_error(what) {}
};

class ByteReader {
 public:
  explicit ByteReader(std::string_view data) : data_(data) {}

  bool AtEnd() const { return pos_ >= data_.size(); }
  std::size_t Position() const { return pos_; }
  std::string_view Rest() const { return data_.substr(pos_); }

  std::int32_t ReadInt32() {
    Need(4, "integer");
    std::uint32_t v;
    std::memcpy(&v, data_.data() + pos_, 4);
    pos_ += 4;
    return static_cast<std::int32_t>(v);  // the files are little-endian, like this machine
  }

  double ReadFloat64() {
    Need(8, "float");
    double v;
    std::memcpy(&v, data_.data() + pos_, 8);
    pos_ += 8;
    return v;
  }

  // A string: int32 byte count, then the bytes. The view points into the record's buffer.
  std::string_view ReadString() {
    const std::int32_t n = ReadInt32();
    if (n < 0) throw ReadError("negative string length");
    Need(static_cast<std::size_t>(n), "string");
    std::string_view s = data_.substr(pos_, static_cast<std::size_t>(n));
    pos_ += static_cast<std::size_t>(n);
    return s;
  }

 private:
  void Need(std::size_t n, const char* what) const {
    if (data_.size() - pos_ < n) throw ReadError(std::string("record ends inside a ") + what);
  }

  std::string_view data_;
  std::size_t pos_ = 0;
};

}  // namespace ox::scene
