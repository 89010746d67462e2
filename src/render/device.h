// The rendering device: owns the graphics back end's device and tells the objects that hold
// device resources (the canvas, picture textures, fonts) when it is created, released, lost and
// reset, and when a scene begins and ends.
//
// Subscribers are notified in the order they subscribed; a notification stops at the first
// subscriber that answers false and its result is the last answer (true with no subscribers).
//
// A frame is Render(colour, clear) -> the timer's Process -> Flip. Render clears (colour in the
// engine's order, red in the low byte), sends the begin-scene notification, calls OnRender,
// sends the end-scene notification and ends the scene. Flip presents; after a driver error it
// resets or, failing that, finalises the device, after which drawing does nothing.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "render/backend.h"

namespace ox::render {

inline constexpr int kNoticeInitialize = 256;
inline constexpr int kNoticeFinalize = 257;
inline constexpr int kNoticeLost = 258;
inline constexpr int kNoticeReset = 259;
inline constexpr int kNoticeBeginScene = 260;
inline constexpr int kNoticeEndScene = 261;

class TAsphyreDevice;

// An object that holds device resources. Setting Publisher subscribes it to that device (and
// unsubscribes it from the previous one); destroying either side ends the subscription.
class TAsphyreDeviceSubscriber {
 public:
  TAsphyreDeviceSubscriber() = default;
  virtual ~TAsphyreDeviceSubscriber();
  TAsphyreDeviceSubscriber(const TAsphyreDeviceSubscriber&) = delete;
  TAsphyreDeviceSubscriber& operator=(const TAsphyreDeviceSubscriber&) = delete;

  TAsphyreDevice* Publisher() const { return publisher_; }
  void SetPublisher(TAsphyreDevice* device);

  // One of the kNotice codes; false stops the notification.
  virtual bool DeviceNotice(TAsphyreDevice& device, int code) = 0;

 private:
  friend class TAsphyreDevice;
  TAsphyreDevice* publisher_ = nullptr;
};

class TAsphyreDevice {
 public:
  // The back end must outlive the device.
  explicit TAsphyreDevice(GraphicsBackend& backend) : backend_(backend) {}
  ~TAsphyreDevice();
  TAsphyreDevice(const TAsphyreDevice&) = delete;
  TAsphyreDevice& operator=(const TAsphyreDevice&) = delete;

  // Assigning Width, Height, Windowed or VSync while initialised resets the device.
  int Width() const { return width_; }
  void SetWidth(int width);
  int Height() const { return height_; }
  void SetHeight(int height);
  bool Windowed() const { return windowed_; }
  void SetWindowed(bool windowed);
  bool VSync() const { return vsync_; }
  void SetVSync(bool vsync);
  bool DepthBuffer() const { return depthBuffer_; }
  void SetDepthBuffer(bool depthBuffer) { depthBuffer_ = depthBuffer; }

  std::function<void(TAsphyreDevice&, bool& success)> OnInitialize;
  std::function<void(TAsphyreDevice&)> OnFinalize;
  std::function<void(TAsphyreDevice&)> OnRender;

  // Creates the device, sends the initialise notification and calls OnInitialize; false (with
  // the device released again) when any of them fails. True at once when already initialised.
  bool Initialize();
  void Finalize();
  // Only when initialised: lost notification, device reset, reset notification on success.
  bool Reset();
  bool Render(std::uint32_t colour, bool clear);
  bool Flip();

  bool Initialized() const { return initialized_; }
  GraphicsBackend& Backend() { return backend_; }
  // Sends a notification to the subscribers (see the top of this file).
  bool Notify(int code);

 private:
  friend class TAsphyreDeviceSubscriber;
  void Subscribe(TAsphyreDeviceSubscriber* subscriber);
  void Unsubscribe(TAsphyreDeviceSubscriber* subscriber);
  PresentParameters Parameters() const;

  GraphicsBackend& backend_;
  std::vector<TAsphyreDeviceSubscriber*> subscribers_;
  int width_ = 640;
  int height_ = 480;
  bool windowed_ = true;
  bool vsync_ = false;
  bool depthBuffer_ = false;
  bool initialized_ = false;
};

}  // namespace ox::render
