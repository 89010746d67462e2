// Builders of property-table entries from members of the element classes, so that each class
// declares its table once as data: Field<&TOxImage::hxDrawFx, PropType::Cardinal>("hxDrawFx").
#pragma once

#include <string>
#include <type_traits>

#include "scene/element.h"
#include "scene/property.h"

namespace ox::scene {

namespace detail {

template <class T>
PropValue ToProp(const T& v) {
  if constexpr (std::is_same_v<T, std::string>) {
    return v;
  } else if constexpr (std::is_floating_point_v<T>) {
    return static_cast<long double>(v);
  } else {
    return static_cast<std::int64_t>(v);
  }
}

template <class T>
T FromProp(PropType type, const PropValue& v) {
  if constexpr (std::is_same_v<T, std::string>) {
    return AsString(v);
  } else if constexpr (std::is_floating_point_v<T>) {
    return static_cast<T>(AsFloat(v));
  } else if constexpr (std::is_same_v<T, bool>) {
    return AsInteger(v) != 0;
  } else {
    return static_cast<T>(NarrowOrdinal(type, AsInteger(v)));
  }
}

template <auto Member>
struct MemberOf;
template <class C, class T, T C::*M>
struct MemberOf<M> {
  using Class = C;
  using Type = T;
};

template <auto Getter>
struct GetterOf;
template <class C, class T, T (C::*G)() const>
struct GetterOf<G> {
  using Class = C;
  using Type = T;
};

template <auto Setter>
struct SetterOf;
template <class C, class T, void (C::*S)(T)>
struct SetterOf<S> {
  using Class = C;
  using Type = std::decay_t<T>;
};

}  // namespace detail

// The values of the enumerations that properties use, in ordinal order.
extern const std::vector<const char*> kBooleanNames;
extern const std::vector<const char*> kPosHorNames;
extern const std::vector<const char*> kPosVertNames;
extern const std::vector<const char*> kShapeTypeNames;

// A property stored directly in a field.
template <auto Member, PropType Type>
PropertyInfo Field(const char* name, const std::vector<const char*>* enumNames = nullptr) {
  using C = typename detail::MemberOf<Member>::Class;
  using T = typename detail::MemberOf<Member>::Type;
  return PropertyInfo{
      name, Type,
      [](const TOxElement& e) { return detail::ToProp(static_cast<const C&>(e).*Member); },
      [](TOxElement& e, const PropValue& v) {
        static_cast<C&>(e).*Member = detail::FromProp<T>(Type, v);
      },
      enumNames != nullptr || Type != PropType::Boolean ? enumNames : &kBooleanNames};
}

// A property read through a const member function and written through a setter.
template <auto Getter, auto Setter, PropType Type>
PropertyInfo Accessor(const char* name) {
  using GC = typename detail::GetterOf<Getter>::Class;
  using SC = typename detail::SetterOf<Setter>::Class;
  using T = typename detail::SetterOf<Setter>::Type;
  return PropertyInfo{
      name, Type,
      [](const TOxElement& e) { return detail::ToProp((static_cast<const GC&>(e).*Getter)()); },
      [](TOxElement& e, const PropValue& v) {
        (static_cast<SC&>(e).*Setter)(detail::FromProp<T>(Type, v));
      },
      nullptr};
}

// An event property: reading gives the source, assigning prepares the script. An event script
// is never saved.
template <auto Member>
PropertyInfo Event(const char* name) {
  using C = typename detail::MemberOf<Member>::Class;
  return PropertyInfo{
      name, PropType::String,
      [](const TOxElement& e) -> PropValue { return (static_cast<const C&>(e).*Member).source; },
      [](TOxElement& e, const PropValue& v) { AssignEvent(static_cast<C&>(e).*Member, AsString(v)); },
      nullptr, kNotSaved};
}

// The entry with a rule added: NotSaved(Field<&TOxImage::Interpol, PropType::Boolean>("Interpol")).
PropertyInfo NotSaved(PropertyInfo p);
PropertyInfo KeepsLoaded(PropertyInfo p);

// Properties 0 to 4 of every class: Key, Id, X, Y, Vis (Key and Id are not saved).
PropertyTable BaseProperties();
// `NotSave`, which keeps the element out of saved state and is itself not saved.
PropertyInfo NotSaveProperty();
// `Order`, assigned through SetOrder.
PropertyInfo OrderProperty();
// The ten events of the elements that take the mouse, in their table order: exVarRS, exInit,
// exAfterLoad, exMouseIn, exMouseOut, exMouseMove, exMouseDown, exMouseUp, exUpdate, exProcess.
PropertyTable MouseElementEvents();
// `SizeX` and `SizeY` through the virtual size operations.
PropertyInfo SizeXProperty();
PropertyInfo SizeYProperty();

}  // namespace ox::scene
