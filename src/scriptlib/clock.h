// The local wall clock as a script date-time, read by Now, Date and Time. Tests fix it.
#pragma once

#include <functional>

namespace ox::scriptlib {

// The current local date and time (days since 1899-12-30 plus the fraction of the day).
double LocalNow();

// Replaces the clock; an empty function restores the system's local clock.
void SetLocalClock(std::function<double()> clock);

}  // namespace ox::scriptlib
