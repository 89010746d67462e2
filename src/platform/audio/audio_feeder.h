// A thread that runs one piece of work every few milliseconds until it is destroyed; the real-
// time outputs use it to decode streams ahead of playback (and the null output to mix).
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace ox::platform {

class PeriodicThread {
 public:
  PeriodicThread(std::chrono::milliseconds period, std::function<void()> work);
  // Waits for the work in progress, then ends the thread.
  ~PeriodicThread();
  PeriodicThread(const PeriodicThread&) = delete;
  PeriodicThread& operator=(const PeriodicThread&) = delete;

 private:
  void Run(std::stop_token stop);

  std::chrono::milliseconds period_;
  std::function<void()> work_;
  std::mutex lock_;
  std::condition_variable_any wake_;
  std::jthread thread_;  // last: it starts once everything above exists
};

}  // namespace ox::platform
