#include "reference_data.h"

#include <fstream>
#include <stdexcept>

namespace ox::scriptlib::test {

std::vector<std::vector<std::string>> ReferenceRows(const std::string& category) {
  std::ifstream in(std::string(OX_TEST_DATA) + "/reference_values.tsv", std::ios::binary);
  if (!in) throw std::runtime_error("reference_values.tsv is missing");
  std::vector<std::vector<std::string>> rows;
  std::string line;
  while (std::getline(in, line)) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
      fields.push_back(line.substr(start, tab - start));
    fields.push_back(line.substr(start));
    if (fields.front() != category) continue;
    fields.erase(fields.begin());
    rows.push_back(std::move(fields));
  }
  return rows;
}

}  // namespace ox::scriptlib::test
