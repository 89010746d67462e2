// TAsphyreFonts: the game's bitmap fonts, every font record (type 3) of the resource archive.
// The list subscribes to the device, whose back end makes the glyph textures, and draws on its
// Canvas; fonts are freed by RemoveAll and when the device is finalised. Callers look a font up
// by name after every load: RemoveAll destroys the fonts it found before.
//
// LoadFromASDb opens the archive when it is not open and then, for each font record in record
// order, adds a font named "Font" + the list's counter (at least two digits; the counter
// counts every font ever added), reads the record and loads it, and on success renames the font
// to the record's name. The first record that cannot be read or loaded ends the loading with
// false; its font stays in the list, unloaded, under its default name. Fonts loaded before
// stay loaded. Without a device to make textures on, no record loads.
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "render/asdb.h"
#include "render/device.h"
#include "render/font_bitmap.h"

namespace ox::render {

class TAsphyreCanvas;

class TAsphyreFonts final : public TAsphyreDeviceSubscriber {
 public:
  TAsphyreFonts() = default;
  ~TAsphyreFonts() override;

  TAsphyreCanvas* Canvas() const { return canvas_; }
  void SetCanvas(TAsphyreCanvas* canvas) { canvas_ = canvas; }

  bool LoadFromASDb(TASDb& archive);
  void RemoveAll();
  // The first font whose name equals `name` when both are lower-cased; none when there is none.
  TAsphyreFont* Find(std::string_view name) const;

  int Count() const { return static_cast<int>(fonts_.size()); }
  // None for an index outside the list.
  TAsphyreFont* Font(int index) const;

  bool DeviceNotice(TAsphyreDevice& device, int code) override;

 private:
  TAsphyreFont& AddFont();
  bool LoadRecord(TASDb& archive, int index);

  std::vector<std::unique_ptr<TAsphyreFont>> fonts_;
  int counter_ = 0;
  TAsphyreCanvas* canvas_ = nullptr;
};

}  // namespace ox::render
