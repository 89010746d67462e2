// The 10-byte extended float: exact encoding of every double, nearest-even decoding, and the
// special values.
#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>

#include "scene/extended_float.h"

namespace ox::scene {
namespace {

Extended80 Make(bool negative, std::uint16_t exponent, std::uint64_t significand) {
  Extended80 e{};
  for (std::size_t i = 0; i < 8; ++i) e[i] = static_cast<std::uint8_t>(significand >> (8 * i));
  const auto top = static_cast<std::uint16_t>(exponent | (negative ? 0x8000 : 0));
  e[8] = static_cast<std::uint8_t>(top & 0xFF);
  e[9] = static_cast<std::uint8_t>(top >> 8);
  return e;
}

std::uint64_t Bits(double d) { return std::bit_cast<std::uint64_t>(d); }

constexpr std::uint64_t kOne = std::uint64_t{1} << 63;

TEST(ExtendedFloat, KnownEncodings) {
  EXPECT_EQ(EncodeExtended(1.0), Make(false, 0x3FFF, kOne));
  EXPECT_EQ(EncodeExtended(-2.0), Make(true, 0x4000, kOne));
  EXPECT_EQ(EncodeExtended(0.1), Make(false, 0x3FFB, 0xCCCCCCCCCCCCD000u));
  EXPECT_EQ(EncodeExtended(0.0), Make(false, 0, 0));
  EXPECT_EQ(EncodeExtended(-0.0), Make(true, 0, 0));
  EXPECT_EQ(EncodeExtended(std::numeric_limits<double>::infinity()), Make(false, 0x7FFF, kOne));
  EXPECT_EQ(EncodeExtended(-std::numeric_limits<double>::infinity()), Make(true, 0x7FFF, kOne));
  // Denormals become normal extended numbers.
  EXPECT_EQ(EncodeExtended(std::numeric_limits<double>::denorm_min()), Make(false, 16383 - 1074, kOne));
  EXPECT_EQ(EncodeExtended(std::bit_cast<double>(std::uint64_t{3})), Make(false, 16383 - 1073, 0xC000000000000000u));
}

TEST(ExtendedFloat, EveryKindOfDoubleRoundTrips) {
  const double samples[] = {1.0, -1.5, 0.1, 1e300, -1e-300, 123456.789,
                            std::numeric_limits<double>::max(), std::numeric_limits<double>::min(),
                            std::numeric_limits<double>::denorm_min(),
                            std::bit_cast<double>(std::uint64_t{0x000FFFFFFFFFFFFF}),
                            -std::numeric_limits<double>::infinity()};
  for (double d : samples) EXPECT_EQ(Bits(DecodeExtended(EncodeExtended(d))), Bits(d)) << d;
  std::mt19937_64 random(7);
  for (int i = 0; i < 20000; ++i) {
    const std::uint64_t bits = random();
    const double d = std::bit_cast<double>(bits);
    EXPECT_EQ(Bits(DecodeExtended(EncodeExtended(d))), bits);
  }
}

TEST(ExtendedFloat, SignedZerosAndNaNsKeepTheirSignAndPayload) {
  EXPECT_EQ(Bits(DecodeExtended(EncodeExtended(-0.0))), Bits(-0.0));
  const double quiet = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(Bits(DecodeExtended(EncodeExtended(-quiet))), Bits(-quiet));
  const double signalling = std::bit_cast<double>(std::uint64_t{0x7FF0000000000001});
  EXPECT_EQ(Bits(DecodeExtended(EncodeExtended(signalling))), Bits(signalling));
  // A NaN whose payload lies below what a double keeps is still a NaN, not an infinity.
  EXPECT_TRUE(std::isnan(DecodeExtended(Make(false, 0x7FFF, kOne | 1))));
  EXPECT_TRUE(std::isnan(DecodeExtended(Make(false, 0x7FFF, 0))));
}

TEST(ExtendedFloat, DecodingRoundsToNearestEven) {
  const std::uint64_t halfUlp = std::uint64_t{1} << 10;
  EXPECT_EQ(DecodeExtended(Make(false, 0x3FFF, kOne | halfUlp)), 1.0) << "tie goes to even";
  EXPECT_EQ(DecodeExtended(Make(false, 0x3FFF, kOne | halfUlp | 1)), std::nextafter(1.0, 2.0));
  EXPECT_EQ(DecodeExtended(Make(false, 0x3FFF, kOne | (halfUlp << 1) | halfUlp)),
            std::nextafter(std::nextafter(1.0, 2.0), 2.0))
      << "tie from an odd last bit goes up";
  EXPECT_EQ(DecodeExtended(Make(false, 0x3FFB, 0xCCCCCCCCCCCCCCCDu)), 0.1);
  EXPECT_EQ(DecodeExtended(Make(false, 0x3FFF, ~std::uint64_t{0})), 2.0) << "carry into the exponent";
}

TEST(ExtendedFloat, DecodingOverflowsAndUnderflows) {
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(DecodeExtended(Make(false, 16383 + 1024, kOne)), inf);
  EXPECT_EQ(DecodeExtended(Make(true, 0x7FFE, kOne)), -inf);
  EXPECT_EQ(DecodeExtended(Make(false, 16383 + 1023, ~std::uint64_t{0})), inf) << "rounds past max";
  EXPECT_EQ(DecodeExtended(Make(false, 16383 + 1023, ~std::uint64_t{0} << 11)),
            std::numeric_limits<double>::max());
  const double tiny = std::numeric_limits<double>::denorm_min();
  EXPECT_EQ(Bits(DecodeExtended(Make(false, 16383 - 1075, kOne))), Bits(0.0)) << "half of the least: even";
  EXPECT_EQ(DecodeExtended(Make(false, 16383 - 1075, kOne | 1)), tiny);
  EXPECT_EQ(DecodeExtended(Make(false, 16383 - 1075, 0xC000000000000000u)), tiny);
  EXPECT_EQ(DecodeExtended(Make(false, 16383 - 1074, 0xC000000000000000u)), 2 * tiny)
      << "one and a half of the least: even";
  EXPECT_EQ(Bits(DecodeExtended(Make(true, 1, kOne))), Bits(-0.0));
  EXPECT_EQ(DecodeExtended(Make(false, 16383 - 1023, ~std::uint64_t{0})), std::numeric_limits<double>::min())
      << "a denormal that rounds up to the least normal";
}

TEST(ExtendedFloat, FormsWithoutIntegerBitReadByValue) {
  EXPECT_EQ(DecodeExtended(Make(false, 0x3FFF, kOne >> 1)), 0.5) << "unnormal";
  EXPECT_EQ(DecodeExtended(Make(false, 0x3FFF, 1)), std::ldexp(1.0, -63));
  EXPECT_EQ(Bits(DecodeExtended(Make(true, 0x2000, 0))), Bits(-0.0));
}

#if LDBL_MANT_DIG == 64
// Where the machine's long double is this format, its conversion to double is the reference.
TEST(ExtendedFloat, DecodingMatchesTheMachinesConversion) {
  std::mt19937_64 random(11);
  for (int i = 0; i < 50000; ++i) {
    // Exponents around the double range, with its denormal and overflow borders.
    const auto exponent = static_cast<std::uint16_t>(16383 - 1140 + random() % 2300);
    const Extended80 e = Make((random() & 1) != 0, exponent, random() | kOne);
    long double reference = 0;
    std::memcpy(&reference, e.data(), e.size());
    ASSERT_EQ(Bits(DecodeExtended(e)), Bits(static_cast<double>(reference))) << i;
  }
}
#endif

}  // namespace
}  // namespace ox::scene
