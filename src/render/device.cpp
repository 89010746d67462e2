#include "render/device.h"

#include <algorithm>

#include "render/colour.h"

namespace ox::render {

TAsphyreDeviceSubscriber::~TAsphyreDeviceSubscriber() { SetPublisher(nullptr); }

void TAsphyreDeviceSubscriber::SetPublisher(TAsphyreDevice* device) {
  if (device == publisher_) return;
  if (publisher_ != nullptr) publisher_->Unsubscribe(this);
  publisher_ = device;
  if (publisher_ != nullptr) publisher_->Subscribe(this);
}

TAsphyreDevice::~TAsphyreDevice() {
  Finalize();
  for (TAsphyreDeviceSubscriber* subscriber : subscribers_) subscriber->publisher_ = nullptr;
}

void TAsphyreDevice::Subscribe(TAsphyreDeviceSubscriber* subscriber) {
  subscribers_.push_back(subscriber);
}

void TAsphyreDevice::Unsubscribe(TAsphyreDeviceSubscriber* subscriber) {
  std::erase(subscribers_, subscriber);
}

bool TAsphyreDevice::Notify(int code) {
  bool answer = true;
  // A subscriber may leave the list while it answers; walk a copy.
  const std::vector<TAsphyreDeviceSubscriber*> subscribers = subscribers_;
  for (TAsphyreDeviceSubscriber* subscriber : subscribers) {
    if (std::find(subscribers_.begin(), subscribers_.end(), subscriber) == subscribers_.end()) continue;
    answer = subscriber->DeviceNotice(*this, code);
    if (!answer) break;
  }
  return answer;
}

PresentParameters TAsphyreDevice::Parameters() const {
  return {width_, height_, windowed_, vsync_, depthBuffer_};
}

void TAsphyreDevice::SetWidth(int width) {
  width_ = width;
  if (initialized_) Reset();
}

void TAsphyreDevice::SetHeight(int height) {
  height_ = height;
  if (initialized_) Reset();
}

void TAsphyreDevice::SetWindowed(bool windowed) {
  windowed_ = windowed;
  if (initialized_) Reset();
}

void TAsphyreDevice::SetVSync(bool vsync) {
  vsync_ = vsync;
  if (initialized_) Reset();
}

bool TAsphyreDevice::Initialize() {
  if (initialized_) return true;
  if (!backend_.CreateDevice(Parameters())) return false;
  initialized_ = true;
  if (!Notify(kNoticeInitialize)) {
    Finalize();
    return false;
  }
  bool success = true;
  if (OnInitialize) OnInitialize(*this, success);
  if (!success) {
    Finalize();
    return false;
  }
  return true;
}

void TAsphyreDevice::Finalize() {
  if (!initialized_) return;
  if (OnFinalize) OnFinalize(*this);
  Notify(kNoticeFinalize);
  backend_.ReleaseDevice();
  initialized_ = false;
}

bool TAsphyreDevice::Reset() {
  if (!initialized_) return false;
  Notify(kNoticeLost);
  if (!backend_.ResetDevice(Parameters())) return false;
  Notify(kNoticeReset);
  return true;
}

bool TAsphyreDevice::Render(std::uint32_t colour, bool clear) {
  if (!initialized_ || !OnRender) return false;
  if (clear && !backend_.Clear(SwapRedBlue(colour))) return false;
  if (!backend_.BeginScene()) return false;
  Notify(kNoticeBeginScene);
  OnRender(*this);
  Notify(kNoticeEndScene);
  return backend_.EndScene();
}

bool TAsphyreDevice::Flip() {
  if (!initialized_) return false;
  const PresentResult presented = backend_.Present();
  if (presented == PresentResult::DriverInternalError) {
    if (Reset()) return true;
    Finalize();
    return false;
  }
  return presented == PresentResult::Ok;
}

}  // namespace ox::render
