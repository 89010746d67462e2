// The text form of a game file: the element tree as nested blocks, one property a line in the
// order of the class's property table, scripts of several lines kept verbatim:
//
//   TOxDB {
//     Key = 0
//     Id = "demo"
//     exInit = <<<
//       |Score := 0;
//       |SetScreen('title');
//       >>>
//     TOxScreen {
//       ...
//     }
//   }
//
// Strings are quoted with \xHH for bytes that are not printable ASCII; a block opened with
// "<<< crlf" joins its lines with CR LF. Properties left out take the class's creation default
// (so a source need only name what it sets). Lines starting with '#' are comments. What only a
// damaged or hand-made file holds is spelled with '@': "@count N" (a stored value count other
// than the number of values), "@raw "BYTES"" (a child record the player skips), and a quoted
// name after the class (the record's stored class name, when it differs).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "gamefile/game_file_writer.h"

namespace ox::oxf {

std::string WriteSource(const gamefile::Node& root);

struct SourceError {
  int line = 0;
  std::string message;
};

struct ReadResult {
  gamefile::Node root;
  std::vector<SourceError> errors;  // in line order; the root is only of use when there are none
};

ReadResult ReadSource(std::string_view text);

}  // namespace ox::oxf
