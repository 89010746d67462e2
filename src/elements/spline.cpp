#include "elements/spline.h"

#include <algorithm>
#include <numeric>

namespace ox::elements {

namespace {

struct Knots {
  std::vector<double> t, y;
};

bool StrictlyIncreasing(const std::vector<double>& t) {
  return std::adjacent_find(t.begin(), t.end(), [](double a, double b) { return !(a < b); }) == t.end();
}

bool NeverIncreasing(const std::vector<double>& t) {
  return std::adjacent_find(t.begin(), t.end(), [](double a, double b) { return a < b; }) == t.end();
}

// Puts the knots into increasing time order: as they are, reversed, or heap-sorted.
void SortKnots(Knots& k) {
  if (StrictlyIncreasing(k.t)) return;
  if (NeverIncreasing(k.t)) {
    std::reverse(k.t.begin(), k.t.end());
    std::reverse(k.y.begin(), k.y.end());
    return;
  }
  std::vector<std::size_t> order(k.t.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  const auto earlier = [&k](std::size_t a, std::size_t b) { return k.t[a] < k.t[b]; };
  std::make_heap(order.begin(), order.end(), earlier);
  std::sort_heap(order.begin(), order.end(), earlier);
  Knots sorted;
  for (const std::size_t i : order) {
    sorted.t.push_back(k.t[i]);
    sorted.y.push_back(k.y[i]);
  }
  k = std::move(sorted);
}

// The slopes at the knots: the tridiagonal system a_i d_{i-1} + b_i d_i + c_i d_{i+1} = r_i,
// solved by elimination without pivoting.
std::vector<double> KnotSlopes(const Knots& k, SplineEnd leftEnd, double leftValue,
                               SplineEnd rightEnd, double rightValue) {
  const std::size_t n = k.t.size();
  const auto h = [&k](std::size_t i) { return k.t[i + 1] - k.t[i]; };
  std::vector<double> a(n, 0.0), b(n, 0.0), c(n, 0.0), r(n, 0.0);
  switch (leftEnd) {
    case SplineEnd::Parabolic: b[0] = 1, c[0] = 1, r[0] = 2 * (k.y[1] - k.y[0]) / h(0); break;
    case SplineEnd::FirstDerivative: b[0] = 1, c[0] = 0, r[0] = leftValue; break;
    case SplineEnd::SecondDerivative:
      b[0] = 2, c[0] = 1, r[0] = 3 * (k.y[1] - k.y[0]) / h(0) - leftValue * h(0) / 2;
      break;
  }
  for (std::size_t i = 1; i + 1 < n; ++i) {
    a[i] = h(i);
    b[i] = 2 * (k.t[i + 1] - k.t[i - 1]);
    c[i] = h(i - 1);
    r[i] = 3 * (k.y[i] - k.y[i - 1]) / h(i - 1) * h(i) + 3 * (k.y[i + 1] - k.y[i]) / h(i) * h(i - 1);
  }
  const std::size_t last = n - 1;
  switch (rightEnd) {
    case SplineEnd::Parabolic: a[last] = 1, b[last] = 1, r[last] = 2 * (k.y[last] - k.y[last - 1]) / h(last - 1); break;
    case SplineEnd::FirstDerivative: a[last] = 0, b[last] = 1, r[last] = rightValue; break;
    case SplineEnd::SecondDerivative:
      a[last] = 1, b[last] = 2;
      r[last] = 3 * (k.y[last] - k.y[last - 1]) / h(last - 1) + rightValue * h(last - 1) / 2;
      break;
  }
  for (std::size_t i = 1; i < n; ++i) {
    const double m = a[i] / b[i - 1];
    b[i] -= m * c[i - 1];
    r[i] -= m * r[i - 1];
  }
  std::vector<double> d(n);
  d[last] = r[last] / b[last];
  for (std::size_t i = last; i-- > 0;) d[i] = (r[i] - c[i] * d[i + 1]) / b[i];
  return d;
}

}  // namespace

Spline BuildSpline(const double* times, const double* values, std::size_t n, SplineEnd leftEnd,
                   double leftValue, SplineEnd rightEnd, double rightValue) {
  Knots k{std::vector<double>(times, times + n), std::vector<double>(values, values + n)};
  SortKnots(k);
  if (n == 2 && leftEnd == SplineEnd::Parabolic && rightEnd == SplineEnd::Parabolic) {
    leftEnd = rightEnd = SplineEnd::SecondDerivative;
    leftValue = rightValue = 0.0;
  }
  const std::vector<double> d = KnotSlopes(k, leftEnd, leftValue, rightEnd, rightValue);
  Spline spline;
  std::vector<double>& s = spline.table;
  s.reserve(5 * n - 1);
  s.push_back(static_cast<double>(5 * n - 1));
  s.push_back(3.0);
  s.push_back(static_cast<double>(n));
  s.insert(s.end(), k.t.begin(), k.t.end());
  for (std::size_t i = 0; i + 1 < n; ++i) {
    const double h = k.t[i + 1] - k.t[i];
    const double dy = k.y[i + 1] - k.y[i];
    s.push_back(k.y[i]);
    s.push_back(d[i]);
    s.push_back((3 * dy - 2 * d[i] * h - d[i + 1] * h) / (h * h));
    s.push_back((-2 * dy + d[i] * h + d[i + 1] * h) / (h * h * h));
  }
  return spline;
}

double SplineValue(const Spline& spline, double t) {
  const std::vector<double>& s = spline.table;
  const std::size_t n = spline.Knots();
  std::size_t lo = 3, hi = n + 2;
  while (hi != lo + 1) {
    const std::size_t mid = (lo + hi) / 2;
    if (t <= s[mid]) {
      hi = mid;
    } else {
      lo = mid;
    }
  }
  const std::size_t i = lo - 3;
  const double* c = &s[3 + n + 4 * i];
  const double x = t - s[3 + i];
  return ((c[3] * x + c[2]) * x + c[1]) * x + c[0];
}

}  // namespace ox::elements
