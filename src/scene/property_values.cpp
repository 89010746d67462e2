#include "scene/property_values.h"

#include "script/convert.h"

namespace ox::scene {

script::Value ScriptValueOf(const PropertyInfo& p, const PropValue& v) {
  switch (StreamKindOf(p.type)) {
    case StreamKind::Int32:
      return script::Value::Int32(static_cast<std::int32_t>(NarrowOrdinal(PropType::Integer, AsInteger(v))));
    case StreamKind::Float64: return script::Value::Float(static_cast<double>(AsFloat(v)));
    case StreamKind::String: return script::Value::String(AsString(v));
  }
  return {};
}

PropValue PropValueOf(const PropertyInfo& p, const script::Value& v) {
  switch (StreamKindOf(p.type)) {
    case StreamKind::Int32: {
      if (v.IsString()) {
        std::int32_t n = 0;
        return std::int64_t{script::TextToInt32(v.s, n) ? n : 0};
      }
      std::int64_t n = 0;
      return script::ToInt64(v, n) ? n : std::int64_t{0};
    }
    case StreamKind::Float64: {
      double f = 0.0;
      return static_cast<long double>(script::ToFloat(v, f) ? f : 0.0);
    }
    case StreamKind::String: return script::ToString(v);
  }
  return std::int64_t{0};
}

}  // namespace ox::scene
