// The player's image store over an in-memory back end, with pictures the tests write into its
// game folder, and a canvas on the same back end that records what elements draw.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "../media/image_store_test_host.h"
#include "elements/drawing.h"
#include "render/canvas.h"
#include "render/device.h"

namespace ox::elements::testing {

// A 32-bit BMP whose pixel (x, y) is the given ARGB value, alpha kept.
inline std::vector<std::uint8_t> Bmp32(int width, int height,
                                       const std::function<std::uint32_t(int, int)>& pixel) {
  std::vector<std::uint8_t> bmp;
  auto le32 = [&bmp](std::uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8) {
      bmp.push_back(static_cast<std::uint8_t>(v >> shift));
    }
  };
  auto le16 = [&bmp](std::uint16_t v) {
    bmp.push_back(static_cast<std::uint8_t>(v));
    bmp.push_back(static_cast<std::uint8_t>(v >> 8));
  };
  const auto dataSize = static_cast<std::uint32_t>(width * height * 4);
  bmp.push_back('B');
  bmp.push_back('M');
  le32(54 + dataSize);
  le32(0);
  le32(54);
  le32(40);
  le32(static_cast<std::uint32_t>(width));
  le32(static_cast<std::uint32_t>(height));
  le16(1);
  le16(32);
  for (const std::uint32_t v : {0u, dataSize, 2835u, 2835u, 0u, 0u}) le32(v);
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) le32(pixel(x, y));  // blue, green, red, alpha in memory
  }
  return bmp;
}

// Installed as the player's store and canvas for the fixture's lifetime.
struct PictureStore {
  PictureStore() {
    device.SetWidth(1024);
    device.SetHeight(768);
    canvas.SetPublisher(&device);
    EXPECT_TRUE(device.Initialize());
    media::SetImages(&store);
    SetCanvas(&canvas);
  }
  ~PictureStore() {
    SetCanvas(nullptr);
    media::SetImages(nullptr);
  }
  PictureStore(const PictureStore&) = delete;
  PictureStore& operator=(const PictureStore&) = delete;

  void Put(const std::string& name, int width, int height,
           const std::function<std::uint32_t(int, int)>& pixel) {
    media::testing::TestHost::Put(host.game, name, Bmp32(width, height, pixel));
  }
  void PutOpaque(const std::string& name, int width, int height) {
    Put(name, width, height, [](int, int) { return 0xFFFFFFFFu; });
  }
  // The picture's grid description: so many patterns across and down.
  void PutGrid(const std::string& name, int columns, int rows) {
    host.PutGameText(name, std::to_string(columns) + "\r\n" + std::to_string(rows) + "\r\n");
  }
  // The vertices of every draw call so far, in order; the canvas is flushed first.
  std::vector<render::Vertex> Drawn() {
    canvas.Flush();
    std::vector<render::Vertex> vertices;
    for (const auto& draw : backend.draws) {
      vertices.insert(vertices.end(), draw.vertices.begin(), draw.vertices.end());
    }
    return vertices;
  }

  media::testing::TestHost host;
  render::testing::FakeBackend backend;
  media::ImageStore store{backend, host};
  render::TAsphyreDevice device{backend};
  render::TAsphyreCanvas canvas;
};

}  // namespace ox::elements::testing
