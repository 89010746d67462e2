// The reference values printed by fpc/reference_values.pas (an independent implementation of
// the classic run-time library), read from data/reference_values.tsv.
#pragma once

#include <string>
#include <vector>

namespace ox::scriptlib::test {

// The fields after the category of every line of that category, in file order.
std::vector<std::vector<std::string>> ReferenceRows(const std::string& category);

}  // namespace ox::scriptlib::test
