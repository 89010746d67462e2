#include "scene/game_file_reader.h"

#include <exception>

#include "scene/byte_reader.h"
#include "scene/class_registry.h"
#include "scene/element.h"

namespace ox::scene {

namespace {

struct ReadingContext {
  bool active = false;
  const char* fileStart = nullptr;
  int depth = 0;
  std::string firstProblem;
};

ReadingContext reading;

void NoteProblem(const TOxElement& element, std::string_view data, std::size_t at,
                 const char* what) {
  if (!reading.firstProblem.empty()) return;
  const auto offset = static_cast<long long>(data.data() - reading.fileStart) + static_cast<long long>(at);
  reading.firstProblem = "reading stopped at byte " + std::to_string(offset) + " in a " +
                         element.Class().name + " record (id \"" + element.Id + "\"): " + what;
}

void ReadValues(TOxElement& element, ByteReader& in) {
  const std::int32_t count = in.ReadInt32();
  const auto& properties = element.Class().properties;
  const std::size_t n = count < 0 ? 0 : std::min<std::size_t>(static_cast<std::size_t>(count), properties.size());
  for (std::size_t i = 0; i < n; ++i) {
    const PropertyInfo& p = properties[i];
    switch (StreamKindOf(p.type)) {
      case StreamKind::Int32: p.set(element, std::int64_t{in.ReadInt32()}); break;
      case StreamKind::Float64: p.set(element, static_cast<long double>(in.ReadFloat64())); break;
      case StreamKind::String: p.set(element, std::string(in.ReadString())); break;
    }
  }
}

void ReadChildren(TOxElement& element, ByteReader& in, bool keepKeys) {
  while (!in.AtEnd()) {
    const std::string_view record = in.ReadString();
    if (reading.depth >= kMaxRecordDepth) continue;
    if (TOxElement* child = CreateChild(element, ChildRecordClassName(record))) {
      ++reading.depth;
      child->ReadRecord(record, keepKeys);
      --reading.depth;
    }
  }
}

}  // namespace

std::string_view ChildRecordClassName(std::string_view record) {
  if (record.size() <= 4) return {};
  const std::size_t length = static_cast<unsigned char>(record[0]);
  return record.substr(4, length);
}

bool IsReadingRecords() { return reading.active; }
void SetReadingRecords(bool active) { reading.active = active; }

void TOxElement::ReadRecordBase(std::string_view data, bool keepKeys) {
  ByteReader in(data);
  try {
    in.ReadString();  // the class name; the element already has its class
    ReadValues(*this, in);
    ReadChildren(*this, in, keepKeys);
    if (!keepKeys) AssignNewKey();
  } catch (const std::exception& e) {
    NoteProblem(*this, data, in.Position(), e.what());
  }
}

std::string ReadRootRecord(TOxElement& root, std::string_view file, bool keepKeys) {
  const ReadingContext saved = reading;
  reading = ReadingContext{true, file.data(), 0, {}};
  root.ReadRecord(file, keepKeys);
  std::string problem = std::move(reading.firstProblem);
  reading = saved;
  return problem;
}

}  // namespace ox::scene
