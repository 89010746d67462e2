#include "platform/audio/audio_feeder.h"

namespace ox::platform {

PeriodicThread::PeriodicThread(std::chrono::milliseconds period, std::function<void()> work)
    : period_(period),
      work_(std::move(work)),
      thread_([this](std::stop_token stop) { Run(stop); }) {}

PeriodicThread::~PeriodicThread() {
  thread_.request_stop();
  thread_.join();
}

void PeriodicThread::Run(std::stop_token stop) {
  while (!stop.stop_requested()) {
    work_();
    std::unique_lock lock(lock_);
    wake_.wait_for(lock, stop, period_, [] { return false; });
  }
}

}  // namespace ox::platform
