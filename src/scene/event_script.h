// An event property: the script source a game file or a script assigned, and the form the
// interpreter prepared from it at that moment. Running an event uses the prepared form only.
#pragma once

#include <string>

namespace ox::script {
class TVarList;
}

namespace ox::scene {

class TOxElement;

struct EventScript {
  std::string source;
  std::string prepared;
};

// The two calls through which the scene reaches the script binding. Until a binding is
// installed, preparing keeps the source as it is and running does nothing.
struct ScriptBinding {
  virtual ~ScriptBinding() = default;
  virtual std::string Prepare(const std::string& source) = 0;
  // Runs a prepared script on the element; when `keep` is given, the variables the script
  // leaves are added to it (names it already holds keep their values).
  virtual void Run(TOxElement& element, const std::string& prepared, const char* eventName,
                   script::TVarList* keep) = 0;
};

ScriptBinding* CurrentBinding();
void InstallBinding(ScriptBinding* binding);

// Stores the source and its prepared form.
void AssignEvent(EventScript& event, const std::string& source);
// Runs the event's prepared script on the element under the event name.
void RunEvent(TOxElement& element, const EventScript& event, const char* eventName,
              script::TVarList* keep = nullptr);

}  // namespace ox::scene
