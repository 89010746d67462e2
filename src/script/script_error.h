// The error a native function throws to fail with a message. The interpreter catches it (and
// ox::RangeError from "platform/core/checked.h", and any other std::exception) around every native
// call and reports error 7 "Invalid parameters, function NAME : message".
#pragma once

#include <stdexcept>
#include <string>

namespace ox::script {

class ScriptError : public std::runtime_error {
 public:
  explicit ScriptError(const std::string& message) : std::runtime_error(message) {}
};

// Thrown by the concatenation operator where a script string would grow past kMaxStringBytes
// (script/run_limit.h); native functions may throw it too. The interpreter reports kOutOfMemory.
class StringTooLong : public ScriptError {
 public:
  StringTooLong() : ScriptError("Out of memory") {}
};

}  // namespace ox::script
