#include "render/fonts.h"

#include <cstdio>
#include <string>

#include "render/font_record.h"

namespace ox::render {
namespace {

bool EqualLowerCase(std::string_view a, std::string_view b) {
  const auto lower = [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  };
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

}  // namespace

TAsphyreFonts::~TAsphyreFonts() = default;

TAsphyreFont* TAsphyreFonts::Font(int index) const {
  return index >= 0 && index < Count() ? fonts_[static_cast<std::size_t>(index)].get() : nullptr;
}

TAsphyreFont* TAsphyreFonts::Find(std::string_view name) const {
  for (const auto& font : fonts_) {
    if (EqualLowerCase(font->Name(), name)) return font.get();
  }
  return nullptr;
}

void TAsphyreFonts::RemoveAll() { fonts_.clear(); }

TAsphyreFont& TAsphyreFonts::AddFont() {
  char name[16];
  std::snprintf(name, sizeof name, "Font%02d", counter_);
  ++counter_;
  fonts_.push_back(std::make_unique<TAsphyreFont>(this, name));
  return *fonts_.back();
}

bool TAsphyreFonts::LoadRecord(TASDb& archive, int index) {
  TAsphyreFont& font = AddFont();
  const std::string name = archive.RecordName(index);
  const std::optional<std::vector<std::uint8_t>> content = archive.ReadRecord(name);
  const std::optional<TFontRecord> record = content ? ParseFontRecord(*content) : std::nullopt;
  if (!record || Publisher() == nullptr || !font.Load(*record, Publisher()->Backend()))
    return false;
  font.SetName(name);
  return true;
}

bool TAsphyreFonts::LoadFromASDb(TASDb& archive) {
  if (!archive.EnsureOpen()) return false;
  for (int index = 0; index < archive.RecordCount(); ++index) {
    if (archive.RecordType(index) == kAsdbFontRecordType && !LoadRecord(archive, index))
      return false;
  }
  return true;
}

bool TAsphyreFonts::DeviceNotice(TAsphyreDevice&, int code) {
  if (code == kNoticeFinalize) RemoveAll();
  return true;
}

}  // namespace ox::render
