// ProcEf: advances a particle effect by a number of game ticks.
#include "elements/effect.h"
#include "scriptlib/engine_support.h"

namespace ox::scriptlib {

// ProcEf(effect, ticks): an effect or a subclass advances by that many game ticks.
void ProcessEffect(TVarList& args, Value& result) {
  if (args.Count() != 2 || !args[0].Val.IsRef()) return;
  result = Value::UInt8(0);
  if (auto* effect = dynamic_cast<elements::TOxEffect*>(ElementArg(args, 0))) effect->AdvanceTicks(AsFloat(args[1].Val));
}

}  // namespace ox::scriptlib
