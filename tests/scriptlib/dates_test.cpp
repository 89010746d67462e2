#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/core/checked.h"
#include "reference_data.h"
#include "script/script_error.h"
#include "scriptlib/calendar.h"
#include "scriptlib/clock.h"
#include "scriptlib/date_text.h"

namespace ox::scriptlib {
namespace {

using script::ScriptError;

double Num(const std::string& s) { return std::strtod(s.c_str(), nullptr); }
int Int(const std::string& s) { return std::stoi(s); }

TEST(Calendar, EncodesLikeTheReference) {
  for (const auto& r : test::ReferenceRows("encodedate")) {
    if (r[3] == "ERROR")
      EXPECT_THROW(EncodeDate(Int(r[0]), Int(r[1]), Int(r[2])), ScriptError) << r[0] << "-" << r[1] << "-" << r[2];
    else
      EXPECT_EQ(EncodeDate(Int(r[0]), Int(r[1]), Int(r[2])), Num(r[3])) << r[0] << "-" << r[1] << "-" << r[2];
  }
  for (const auto& r : test::ReferenceRows("encodetime")) {
    if (r[4] == "ERROR")
      EXPECT_THROW(EncodeTime(Int(r[0]), Int(r[1]), Int(r[2]), Int(r[3])), ScriptError);
    else
      EXPECT_NEAR(EncodeTime(Int(r[0]), Int(r[1]), Int(r[2]), Int(r[3])), Num(r[4]), 1e-14);
  }
}

TEST(Calendar, PartsOutsideSixteenBitsAreRangeErrors) {
  EXPECT_THROW(EncodeDate(65536, 1, 1), RangeError);
  EXPECT_THROW(EncodeDate(2024, -1, 1), RangeError);
  EXPECT_THROW(EncodeTime(0, 0, 0, 1LL << 40), RangeError);
}

TEST(Calendar, DecodesLikeTheReference) {
  for (const auto& r : test::ReferenceRows("decodedate")) {
    const CalendarDate d = DecodeDate(Num(r[0]));
    EXPECT_EQ(d.year, Int(r[1])) << r[0];
    EXPECT_EQ(d.month, Int(r[2])) << r[0];
    EXPECT_EQ(d.day, Int(r[3])) << r[0];
  }
  for (const auto& r : test::ReferenceRows("decodetime")) {
    const TimeOfDay t = DecodeTime(Num(r[0]));
    EXPECT_EQ(t.hour, Int(r[1])) << r[0];
    EXPECT_EQ(t.minute, Int(r[2])) << r[0];
    EXPECT_EQ(t.second, Int(r[3])) << r[0];
    EXPECT_EQ(t.millisecond, Int(r[4])) << r[0];
  }
  for (const auto& r : test::ReferenceRows("dayofweek")) EXPECT_EQ(DayOfWeek(Num(r[0])), Int(r[1])) << r[0];
}

TEST(Calendar, ValuesOutsideTheDateRangeAreErrorsNotGarbage) {
  for (double v : {-693595.0, 2958466.0, 1e300, -1e300, std::nan("")}) {
    EXPECT_THROW(DecodeDate(v), ScriptError) << v;
    EXPECT_THROW(DecodeTime(v), ScriptError) << v;
    EXPECT_THROW(DayOfWeek(v), ScriptError) << v;
  }
}

TEST(Calendar, IncMonthLikeTheReference) {
  for (const auto& r : test::ReferenceRows("incmonth")) {
    // The reference answers 0 when the target year is outside 1..9999; that is a failure
    // reported as a date, so the player raises an error instead.
    if (r[2] == "0.000000")
      EXPECT_THROW(IncMonth(Num(r[0]), Int(r[1])), ScriptError) << r[0] << " " << r[1];
    else
      EXPECT_NEAR(IncMonth(Num(r[0]), Int(r[1])), Num(r[2]), 1e-6) << r[0] << " " << r[1];
  }
  EXPECT_THROW(IncMonth(45366, 2147483647), ScriptError);
  EXPECT_THROW(IncMonth(45366, -2147483647 - 1), ScriptError);
}

TEST(Calendar, YearDaysAndYearFrac) {
  EXPECT_EQ(YearDays(EncodeDate(2024, 6, 1)), 366);
  EXPECT_EQ(YearDays(EncodeDate(1900, 6, 1)), 365);
  EXPECT_EQ(YearDays(EncodeDate(2000, 6, 1)), 366);
  EXPECT_DOUBLE_EQ(YearFrac(EncodeDate(2023, 1, 1), EncodeDate(2024, 1, 1)), 1.0);
  EXPECT_DOUBLE_EQ(YearFrac(EncodeDate(2024, 1, 1), EncodeDate(2023, 1, 1)), 1.0);
  EXPECT_DOUBLE_EQ(YearFrac(EncodeDate(2024, 1, 1), EncodeDate(2024, 1, 1) + 183), 0.5);
  // Half of 2023 (from 2 July 12:00) and the first 183 days of leap 2024.
  EXPECT_NEAR(YearFrac(EncodeDate(2023, 7, 2) + 0.5, EncodeDate(2024, 7, 2)), 0.5 + 0.5, 1e-12);
  EXPECT_NEAR(YearFrac(EncodeDate(9999, 12, 31), EncodeDate(9999, 12, 31) + 0.5), 0.5 / 365, 1e-12);
}

TEST(DateText, FormatsLikeTheReference) {
  for (const auto& r : test::ReferenceRows("formatdatetime"))
    EXPECT_EQ(FormatDateTime(r[0], Num(r[1])), r[2]) << r[0] << " " << r[1];
  for (const auto& r : test::ReferenceRows("datetostr")) EXPECT_EQ(DateToStr(Num(r[0])), r[1]) << r[0];
  for (const auto& r : test::ReferenceRows("timetostr")) EXPECT_EQ(TimeToStr(Num(r[0])), r[1]) << r[0];
}

TEST(DateText, ReadsLikeTheReference) {
  for (const auto& r : test::ReferenceRows("strtodate")) {
    if (r[1] == "ERROR")
      EXPECT_THROW(StrToDate(r[0]), ScriptError) << r[0];
    else
      EXPECT_EQ(StrToDate(r[0]), Num(r[1])) << r[0];
  }
  for (const auto& r : test::ReferenceRows("strtotime")) {
    if (r[1] == "ERROR")
      EXPECT_THROW(StrToTime(r[0]), ScriptError) << r[0];
    else
      EXPECT_NEAR(StrToTime(r[0]), Num(r[1]), 1e-12) << r[0];
  }
}

class FixedClock : public ::testing::Test {
 protected:
  void SetUp() override {
    SetLocalClock([] { return EncodeDate(2024, 3, 15) + 0.75; });
  }
  void TearDown() override { SetLocalClock({}); }
};

TEST_F(FixedClock, ShortDatesTakeTheCurrentYearAndCentury) {
  EXPECT_EQ(StrToDate("1.2"), EncodeDate(2024, 2, 1));
  EXPECT_EQ(StrToDate("1.2.30"), EncodeDate(2030, 2, 1));
  EXPECT_EQ(StrToDate("1.2.80"), EncodeDate(1980, 2, 1));
  EXPECT_EQ(StrToDate("1.2.0030"), EncodeDate(30, 2, 1));
  EXPECT_THROW(StrToDate("1.2.123456"), ScriptError);
  EXPECT_EQ(LocalNow(), EncodeDate(2024, 3, 15) + 0.75);
}

}  // namespace
}  // namespace ox::scriptlib
