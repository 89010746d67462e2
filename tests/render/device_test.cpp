#include "render/device.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_backend.h"

namespace ox::render {
namespace {

using testing::FakeBackend;

// Writes "<name>:<code>" for each notification into a shared log and answers as told.
class LoggingSubscriber final : public TAsphyreDeviceSubscriber {
 public:
  LoggingSubscriber(std::string name, std::vector<std::string>& log) : name_(std::move(name)), log_(log) {}
  bool DeviceNotice(TAsphyreDevice&, int code) override {
    log_.push_back(name_ + ":" + std::to_string(code));
    return code != refuse;
  }
  int refuse = 0;

 private:
  std::string name_;
  std::vector<std::string>& log_;
};

using Log = std::vector<std::string>;

TEST(DeviceTest, NotificationsGoInSubscriptionOrderAndStopAtTheFirstRefusal) {
  FakeBackend backend;
  TAsphyreDevice device(backend);
  Log log;
  LoggingSubscriber first("a", log), second("b", log), third("c", log);
  first.SetPublisher(&device);
  second.SetPublisher(&device);
  third.SetPublisher(&device);
  EXPECT_TRUE(device.Notify(kNoticeBeginScene));
  EXPECT_EQ(log, (Log{"a:260", "b:260", "c:260"}));

  log.clear();
  second.refuse = kNoticeEndScene;
  EXPECT_FALSE(device.Notify(kNoticeEndScene));
  EXPECT_EQ(log, (Log{"a:261", "b:261"}));

  log.clear();
  second.SetPublisher(nullptr);
  EXPECT_TRUE(device.Notify(kNoticeEndScene));
  EXPECT_EQ(log, (Log{"a:261", "c:261"}));
}

TEST(DeviceTest, NoSubscribersAnswerTrue) {
  FakeBackend backend;
  TAsphyreDevice device(backend);
  EXPECT_TRUE(device.Notify(kNoticeLost));
}

TEST(DeviceTest, EitherSideMayGoFirst) {
  FakeBackend backend;
  Log log;
  LoggingSubscriber outlives("s", log);
  {
    TAsphyreDevice device(backend);
    outlives.SetPublisher(&device);
    {
      LoggingSubscriber shortLived("t", log);
      shortLived.SetPublisher(&device);
    }
    EXPECT_TRUE(device.Notify(kNoticeReset));
    EXPECT_EQ(log, (Log{"s:259"}));
  }
  EXPECT_EQ(outlives.Publisher(), nullptr);
}

TEST(DeviceTest, InitializeCreatesNotifiesThenCallsOnInitialize) {
  FakeBackend backend;
  TAsphyreDevice device(backend);
  device.SetWidth(1024);
  device.SetHeight(768);
  Log log;
  LoggingSubscriber canvas("canvas", log);
  canvas.SetPublisher(&device);
  device.OnInitialize = [&](TAsphyreDevice&, bool& success) {
    log.push_back("OnInitialize");
    EXPECT_TRUE(success);
  };
  EXPECT_TRUE(device.Initialize());
  EXPECT_TRUE(device.Initialized());
  EXPECT_EQ(log, (Log{"canvas:256", "OnInitialize"}));
  EXPECT_EQ(backend.parameters.width, 1024);
  EXPECT_EQ(backend.parameters.height, 768);

  log.clear();
  device.OnFinalize = [&](TAsphyreDevice&) { log.push_back("OnFinalize"); };
  device.Finalize();
  EXPECT_EQ(log, (Log{"OnFinalize", "canvas:257"}));
  EXPECT_EQ(backend.calls.back(), "release");
  EXPECT_FALSE(device.Initialized());
}

TEST(DeviceTest, InitializeFailsAndReleasesWhenAnyStepFails) {
  {
    FakeBackend backend;
    backend.createSucceeds = false;
    TAsphyreDevice device(backend);
    EXPECT_FALSE(device.Initialize());
  }
  {
    FakeBackend backend;
    TAsphyreDevice device(backend);
    Log log;
    LoggingSubscriber refusing("r", log);
    refusing.refuse = kNoticeInitialize;
    refusing.SetPublisher(&device);
    EXPECT_FALSE(device.Initialize());
    EXPECT_FALSE(device.Initialized());
    EXPECT_EQ(log, (Log{"r:256", "r:257"}));
    EXPECT_EQ(backend.calls.back(), "release");
  }
  {
    FakeBackend backend;
    TAsphyreDevice device(backend);
    device.OnInitialize = [](TAsphyreDevice&, bool& success) { success = false; };
    EXPECT_FALSE(device.Initialize());
    EXPECT_FALSE(device.Initialized());
    EXPECT_EQ(backend.calls.back(), "release");
  }
}

TEST(DeviceTest, RenderClearsInEngineOrderAndWrapsOnRenderInTheScene) {
  FakeBackend backend;
  TAsphyreDevice device(backend);
  Log log;
  LoggingSubscriber canvas("c", log);
  canvas.SetPublisher(&device);
  EXPECT_FALSE(device.Render(0, true));  // not initialised
  ASSERT_TRUE(device.Initialize());
  EXPECT_FALSE(device.Render(0, true));  // no OnRender
  device.OnRender = [&](TAsphyreDevice&) { log.push_back("OnRender"); };
  log.clear();
  backend.calls.clear();
  EXPECT_TRUE(device.Render(0x80112233, true));
  EXPECT_EQ(backend.clearColour, 0x80332211u);
  EXPECT_EQ(log, (Log{"c:260", "OnRender", "c:261"}));
  EXPECT_EQ(backend.calls, (std::vector<std::string>{"clear", "begin", "end"}));

  backend.calls.clear();
  EXPECT_TRUE(device.Render(0, false));
  EXPECT_EQ(backend.calls, (std::vector<std::string>{"begin", "end"}));
}

TEST(DeviceTest, ResettingPropertiesWhileInitialisedResetsTheDevice) {
  FakeBackend backend;
  TAsphyreDevice device(backend);
  Log log;
  LoggingSubscriber canvas("c", log);
  canvas.SetPublisher(&device);
  device.SetWindowed(false);  // not initialised: no reset
  EXPECT_TRUE(backend.calls.empty());
  ASSERT_TRUE(device.Initialize());
  log.clear();
  device.SetWindowed(true);
  EXPECT_EQ(log, (Log{"c:258", "c:259"}));
  EXPECT_TRUE(backend.parameters.windowed);
  device.SetVSync(true);
  EXPECT_TRUE(backend.parameters.vsync);

  log.clear();
  backend.resetSucceeds = false;
  EXPECT_FALSE(device.Reset());
  EXPECT_EQ(log, (Log{"c:258"}));
}

TEST(DeviceTest, FlipAfterADriverErrorResetsOrFinalises) {
  FakeBackend backend;
  TAsphyreDevice device(backend);
  Log log;
  LoggingSubscriber canvas("c", log);
  canvas.SetPublisher(&device);
  ASSERT_TRUE(device.Initialize());
  log.clear();
  backend.presentResults = {PresentResult::DriverInternalError};
  EXPECT_TRUE(device.Flip());
  EXPECT_EQ(log, (Log{"c:258", "c:259"}));
  EXPECT_TRUE(device.Initialized());

  log.clear();
  backend.presentResults = {PresentResult::DriverInternalError};
  backend.resetSucceeds = false;
  EXPECT_FALSE(device.Flip());
  EXPECT_FALSE(device.Initialized());
  EXPECT_EQ(log, (Log{"c:258", "c:257"}));
  EXPECT_FALSE(device.Render(0, true));
}

}  // namespace
}  // namespace ox::render
