#include "scene/event_script.h"

namespace ox::scene {

namespace {
ScriptBinding* installed = nullptr;
}

ScriptBinding* CurrentBinding() { return installed; }
void InstallBinding(ScriptBinding* binding) { installed = binding; }

void AssignEvent(EventScript& event, const std::string& source) {
  event.source = source;
  event.prepared = installed ? installed->Prepare(source) : source;
}

void RunEvent(TOxElement& element, const EventScript& event, const char* eventName) {
  if (installed == nullptr || event.prepared.empty()) return;
  installed->Run(element, event, eventName);
}

}  // namespace ox::scene
