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

void RunEvent(TOxElement& element, const EventScript& event, const char* eventName,
              script::TVarList* keep) {
  if (installed != nullptr) installed->Run(element, event.prepared, eventName, keep);
}

}  // namespace ox::scene
