#include "scene/class_registry.h"

#include <algorithm>

#include "platform/text/case1251.h"
#include "scene/element.h"

namespace ox::scene {

using platform::UpperAscii;

const PropertyInfo* ClassInfo::FindProperty(std::string_view propertyName) const {
  const std::string wanted = UpperAscii(std::string(propertyName));
  for (const PropertyInfo& p : properties) {
    if (UpperAscii(p.name) == wanted) return &p;
  }
  return nullptr;
}

bool ClassInfo::MayBeChildOf(std::string_view parentClass) const {
  return std::find(allowedParents.begin(), allowedParents.end(), parentClass) !=
         allowedParents.end();
}

ClassInfo MakeClassInfo(std::string name, std::vector<std::string> allowedParents,
                        PropertyTable properties, TOxElement* (*createIn)(TOxElement&),
                        ClassFacts facts) {
  ClassInfo info;
  info.shortName = UpperAscii(std::string(name.substr(0, 3))) == "TOX" ? name.substr(3) : name;
  info.name = std::move(name);
  info.allowedParents = std::move(allowedParents);
  info.properties = std::move(properties);
  info.createIn = createIn;
  info.facts = std::move(facts);
  return info;
}

ClassRegistry& ClassRegistry::Instance() {
  static ClassRegistry registry;
  return registry;
}

void ClassRegistry::Add(const ClassInfo* info) {
  if (Find(info->name) == nullptr) classes_.push_back(info);
}

const ClassInfo* ClassRegistry::Find(std::string_view name) const {
  for (const ClassInfo* c : classes_) {
    if (c->name == name) return c;
  }
  return nullptr;
}

TOxElement* CreateChild(TOxElement& parent, std::string_view className) {
  const ClassInfo* info = ClassRegistry::Instance().Find(className);
  if (info == nullptr || info->createIn == nullptr) return nullptr;
  if (!info->MayBeChildOf(parent.Class().name)) return nullptr;
  return info->createIn(parent);
}

bool IsResourceProperty(const PropertyInfo& p) {
  const std::string upper = UpperAscii(p.name);
  return upper.rfind("IM", 0) == 0 || upper == "FONT";
}

}  // namespace ox::scene
