// The statement executor (Part 4.3). Work in progress: the first commit provides the API.
#include "script/pascalc.h"

namespace ox::script {

std::string TPasCalc::Compile(const std::string& source) {
  ResetError();
  procs_.Clear();
  if (source.find(kTokenMark) != std::string::npos) return source;
  if (source != cacheSource_) {
    cacheSource_ = source;
    cacheTokens_ = TokenizeSource(source);
  }
  return cacheTokens_;
}

bool TPasCalc::Execute(std::string_view prepared) {
  ResetError();
  procs_.Clear();
  (void)prepared;
  return errorCode_ == 0;
}

bool TPasCalc::Run(std::string_view prepared) {
  ResetError();
  (void)prepared;
  return errorCode_ == 0;
}

bool TPasCalc::Evaluate(std::string_view prepared, TVar& result) {
  (void)prepared;
  result.Val = Value{};
  return false;
}

}  // namespace ox::script
