#include "scene/property.h"

namespace ox::scene {

StreamKind StreamKindOf(PropType type) {
  switch (type) {
    case PropType::Real:
    case PropType::Extended: return StreamKind::Float64;
    case PropType::String: return StreamKind::String;
    default: return StreamKind::Int32;
  }
}

std::int64_t AsInteger(const PropValue& v) {
  if (const auto* i = std::get_if<std::int64_t>(&v)) return *i;
  return 0;
}

long double AsFloat(const PropValue& v) {
  if (const auto* f = std::get_if<long double>(&v)) return *f;
  if (const auto* i = std::get_if<std::int64_t>(&v)) return static_cast<long double>(*i);
  return 0.0L;
}

const std::string& AsString(const PropValue& v) {
  static const std::string empty;
  if (const auto* s = std::get_if<std::string>(&v)) return *s;
  return empty;
}

std::int64_t NarrowOrdinal(PropType type, std::int64_t v) {
  const auto low32 = static_cast<std::uint32_t>(static_cast<std::uint64_t>(v));
  switch (type) {
    case PropType::Cardinal: return low32;
    case PropType::Byte: return low32 & 0xFFu;
    case PropType::Word: return low32 & 0xFFFFu;
    case PropType::Boolean: return v != 0 ? 1 : 0;
    default: return static_cast<std::int32_t>(low32);
  }
}

}  // namespace ox::scene
