// Saved game state: the player's progress as one flat list of records, each naming an element
// by its Key, a property or script variable of it by name, and the value. Saving walks the
// tree and asks every element's GetVar; loading gives each record to the element's SetVar, so
// every setter's side effects happen again, and then runs the tree's exAfterLoad scripts.
//
// A record, all integers little-endian, records back to back without header or trailer:
//   int32 Key | int32 name length n | n bytes of name | type byte | value
// Types and values:
//   "I" int32        8-bit integers, 32-bit signed integers, Booleans (read back as Int32)
//   "E" 10 bytes     floats, as an 80-bit extended float (read back as a 64-bit float)
//   "W" uint16       16-bit unsigned integers
//   "O" int32        an element reference, as the Key of the element it names; read back as
//                    the reference of the element with that Key, or 0 when none has it
//   "S" int32 m, m bytes   byte strings
// Values of other kinds (date-time, Int64, empty) are not saved, so the file stays readable.
// A reference to no element is saved as a Key that no element of the tree has at saving time:
// 0 when it is free, else the nearest free key below 0.
//
// Neither call resets the frame timer: the root, which owns it, does that after either, so the
// time spent on the disk does not turn into catch-up ticks.
#pragma once

#include <filesystem>

namespace ox::scene {

class TOxDB;

// Walks the tree depth first in child order. An element with NotSave writes nothing of its
// own, but its children are still visited; a class that does not save its subtree (an
// animation key) is left out with its children.
// Per element: its class's published properties in table order, less those flagged not saved
// (event scripts, "NotSave", "Id", "Key", "CurKey", "FileRS", "Interpol", "InterpolSc",
// "MsKeep") and, for a class that does not save its position (images, shapes, texts: their
// rX/rY carry it), "X" and "Y"; then its variables in list order; then the extra names its
// class saves (an image list's "ELEMENTS") that its GetVar answers. A property whose reading
// fails (an X beyond 32 bits, say) is left out.
// The whole state is built in memory and replaces the file atomically: when writing fails
// the previous save stays intact, one line is logged and the result is false.
bool SaveState(TOxDB& root, const std::filesystem::path& file);

// Reads the records back under the reading flag, with pictures only counted (ImLoadNow false)
// while they are assigned. A record whose element is gone or has NotSave is skipped, and so
// is one whose setter fails. A file cut short (or claiming a name or string longer than what
// is left) loads the records before the damaged one. Afterwards ImLoadNow is true again, the
// reading flag is cleared and the root's AfterLoad runs (also for a missing or empty file).
void LoadState(TOxDB& root, const std::filesystem::path& file);

}  // namespace ox::scene
