// The headless events file.
#include "fuzz_support.h"
#include "shell/input_event.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ox::shell::ParseEvents(std::string(ox::fuzz::Text(data, size)));
  return 0;
}
