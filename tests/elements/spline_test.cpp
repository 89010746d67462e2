// Splines against values computed exactly by data/spline_expected.py from the conditions that
// define them (rerun it after changing a case), and the properties the animations rely on.
#include "elements/spline.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <utility>

namespace ox::elements {
namespace {

struct Case {
  std::vector<std::pair<double, double>> knots;
  SplineEnd left;
  double leftValue;
  SplineEnd right;
  double rightValue;
};

// The same cases as spline_expected.py, knots in the order they are passed.
const std::map<std::string, Case>& Cases() {
  const std::vector<std::pair<double, double>> five = {{0, 3}, {7, -2}, {11, 5}, {30, 40}, {31, 38}};
  static const std::map<std::string, Case> cases = {
      {"line", {{{0, 10}, {10, 30}}, SplineEnd::Parabolic, 0, SplineEnd::Parabolic, 0}},
      {"flat", {{{0, 7}, {4, 7}, {9, 7}}, SplineEnd::Parabolic, 0, SplineEnd::Parabolic, 0}},
      {"peak", {{{0, 0}, {10, 10}, {20, 0}}, SplineEnd::Parabolic, 0, SplineEnd::Parabolic, 0}},
      {"parabolic", {five, SplineEnd::Parabolic, 0, SplineEnd::Parabolic, 0}},
      {"slopes", {five, SplineEnd::FirstDerivative, 2.5, SplineEnd::FirstDerivative, -1}},
      {"curvatures", {five, SplineEnd::SecondDerivative, 0.5, SplineEnd::SecondDerivative, -0.25}},
      {"mixed", {five, SplineEnd::FirstDerivative, -3, SplineEnd::SecondDerivative, 1.5}},
      {"mixed2", {five, SplineEnd::SecondDerivative, 2, SplineEnd::Parabolic, 0}},
      {"reversed", {{{31, 38}, {30, 40}, {11, 5}, {7, -2}, {0, 3}}, SplineEnd::Parabolic, 0,
                    SplineEnd::Parabolic, 0}},
      {"shuffled", {{{11, 5}, {0, 3}, {31, 38}, {7, -2}, {30, 40}}, SplineEnd::FirstDerivative, 2.5,
                    SplineEnd::SecondDerivative, -0.25}},
  };
  return cases;
}

Spline Build(const Case& c) {
  std::vector<double> t, y;
  for (const auto& [time, value] : c.knots) t.push_back(time), y.push_back(value);
  const std::vector<double> passedTimes = t;
  Spline s = BuildSpline(t.data(), y.data(), t.size(), c.left, c.leftValue, c.right, c.rightValue);
  EXPECT_EQ(t, passedTimes) << "the caller's knots are left as they were";
  return s;
}

TEST(Spline, MatchesTheExactValuesOfEveryEndTypeInsideAndBeyondTheKnots) {
  std::ifstream expected(std::string(OX_TEST_DATA) + "/spline_expected.tsv");
  ASSERT_TRUE(expected) << "spline_expected.tsv";
  std::map<std::string, Spline> built;
  std::string line;
  int rows = 0;
  while (std::getline(expected, line)) {
    std::istringstream row(line);
    std::string name;
    double t = 0, value = 0;
    row >> name >> t >> value;
    if (!built.contains(name)) built.emplace(name, Build(Cases().at(name)));
    const double got = SplineValue(built.at(name), t);
    EXPECT_NEAR(got, value, 1e-9 * std::max(1.0, std::abs(value))) << name << " at " << t;
    ++rows;
  }
  EXPECT_EQ(rows, 130);
  EXPECT_EQ(built.size(), Cases().size());
}

TEST(Spline, KeepsItsTableLayout) {
  const Spline s = Build(Cases().at("reversed"));
  ASSERT_EQ(s.table.size(), 24u);
  EXPECT_EQ(s.table[0], 24.0);
  EXPECT_EQ(s.table[1], 3.0);
  EXPECT_EQ(s.table[2], 5.0);
  EXPECT_EQ(std::vector<double>(s.table.begin() + 3, s.table.begin() + 8),
            (std::vector<double>{0, 7, 11, 30, 31}))
      << "knot times sorted";
  EXPECT_EQ(s.table[8], 3.0) << "c0 of the first interval is the first knot's value";
}

TEST(Spline, PassesThroughItsKnotsAndIsSymmetricAroundAPeak) {
  const Spline peak = Build(Cases().at("peak"));
  for (const double t : {0.0, 10.0, 20.0}) EXPECT_NEAR(SplineValue(peak, t), t == 10.0 ? 10 : 0, 1e-12);
  for (const double dt : {0.5, 3.0, 9.75, 14.0}) {
    EXPECT_NEAR(SplineValue(peak, 10 - dt), SplineValue(peak, 10 + dt), 1e-12) << dt;
  }
  const Spline five = Build(Cases().at("slopes"));
  for (const auto& [t, y] : Cases().at("slopes").knots) EXPECT_NEAR(SplineValue(five, t), y, 1e-12);
}

}  // namespace
}  // namespace ox::elements
