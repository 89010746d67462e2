// The element class registry: one entry per element class, in registration order, with its
// name, short name, allowed parents and published property table. Built once at start-up.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "scene/property.h"

namespace ox::scene {

class TOxElement;

// What the elements of a class do beyond their property table; each class states its own.
struct ClassFacts {
  // False: the element and everything under it stay out of saved state.
  bool savesSubtree = true;
  // False: X and Y are not saved (the element's position follows from other saved values).
  bool savesPosition = true;
  // Names answered by GetVar but absent from the table, saved after the table's properties.
  std::vector<const char*> extraSavedNames = {};
  // True: Init does nothing (but counts as done) while AutoInit is false.
  bool initsOnlyWithAutoInit = false;
};

struct ClassInfo {
  std::string name;
  std::string shortName;  // the name without "TOx" where it begins so (any letter case)
  std::vector<std::string> allowedParents;
  PropertyTable properties;
  // Creates an element of the class as the last child of the parent; null for the root class.
  TOxElement* (*createIn)(TOxElement& parent) = nullptr;
  ClassFacts facts;

  const PropertyInfo* FindProperty(std::string_view propertyName) const;  // any letter case
  bool MayBeChildOf(std::string_view parentClass) const;
};

ClassInfo MakeClassInfo(std::string name, std::vector<std::string> allowedParents,
                        PropertyTable properties, TOxElement* (*createIn)(TOxElement&),
                        ClassFacts facts = {});

class ClassRegistry {
 public:
  static ClassRegistry& Instance();
  void Add(const ClassInfo* info);
  // Exact (case-sensitive) lookup by class name.
  const ClassInfo* Find(std::string_view name) const;
  const std::vector<const ClassInfo*>& Classes() const { return classes_; }

 private:
  std::vector<const ClassInfo*> classes_;
};

// The element factory: a new element of the named class inside the parent, or none when the
// class is not registered (exact name) or the parent's class may not contain it.
TOxElement* CreateChild(TOxElement& parent, std::string_view className);

// Properties whose setters load pictures or fonts: names beginning with "IM" or equal to "FONT".
bool IsResourceProperty(const PropertyInfo& p);

}  // namespace ox::scene
