// Piecewise cubic interpolating splines through knots (time, value): built once, evaluated
// anywhere. Animations move their actors along them, one spline per value, times in frames.
#pragma once

#include <cstddef>
#include <vector>

namespace ox::elements {

// What fixes a spline at one of its ends.
enum class SplineEnd {
  Parabolic = 0,         // the end piece is a parabola (the value is ignored)
  FirstDerivative = 1,   // the slope at the end is the value
  SecondDerivative = 2,  // the curvature at the end is the value
};

// The spline as one table: [0] its length 5n - 1, [1] the degree 3, [2] the knot count n,
// [3 .. 3+n-1] the knot times in increasing order, then four coefficients c0..c3 per interval
// i, so that on interval i the value is c0 + c1 s + c2 s^2 + c3 s^3 with s = t - t_i.
struct Spline {
  std::vector<double> table;

  std::size_t Knots() const { return table.size() > 2 ? static_cast<std::size_t>(table[2]) : 0; }
};

// Builds the spline through n >= 2 knots (times distinct). The knots may come in any order;
// the caller's arrays are copied, never changed. Two knots with parabolic ends on both sides
// give the straight line through them.
Spline BuildSpline(const double* times, const double* values, std::size_t n, SplineEnd leftEnd,
                   double leftValue, SplineEnd rightEnd, double rightValue);

// The spline's value at t. Before the second knot the first piece applies and after the
// second-to-last knot the last one, so values outside the knots continue the end cubics.
double SplineValue(const Spline& spline, double t);

}  // namespace ox::elements
