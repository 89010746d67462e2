// Decoding a game file into nodes without creating elements (no setter runs, no script is
// prepared or run): the tables say how many bytes each value takes, and the records the player
// would skip are kept raw. WriteGameFile of the result gives back the bytes of every file that
// decodes without damage.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "gamefile/game_file_writer.h"

namespace ox::gamefile {

// Where and why decoding stopped: the byte offset in the file, the record it was in, the reason.
struct Damage {
  std::size_t offset = 0;
  std::string record;  // for example: a TOxImage record (id "door")
  std::string reason;
};

struct DecodedGame {
  Node root;                    // everything before the damage
  std::optional<Damage> damage;  // none for a whole file
};

DecodedGame DecodeGameFile(std::string_view bytes);

}  // namespace ox::gamefile
