// Reading element records from a game file or saved state: values through the property
// setters in table order, then the children, each child's class taken from its own bytes.
#pragma once

#include <string>
#include <string_view>

namespace ox::scene {

// True while a game file or saved state is being read (animations skip rebuilding then).
bool IsReadingRecords();
// Saved state sets and clears the flag around its own reading.
void SetReadingRecords(bool reading);

// Nesting deeper than this is not read: deeper child records are skipped like records of an
// unknown class, so a hostile file cannot exhaust the stack.
constexpr int kMaxRecordDepth = 256;

// The class name by which a child record is created: its length is the record's first byte, its
// characters start at byte 4 (the record's own class string may say otherwise).
std::string_view ChildRecordClassName(std::string_view record);

// Reads a whole file's root record into the root under the reading flag. Returns the first
// place where reading of an element stopped ("" when none), for the --log-errors line.
class TOxElement;
std::string ReadRootRecord(TOxElement& root, std::string_view file, bool keepKeys);

}  // namespace ox::scene
