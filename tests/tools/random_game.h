// Random element trees for the round-trip tests: every class under parents that may hold it,
// random values of every kind (non-printable bytes, scripts of several lines, floats that are
// not numbers), and now and then what only a hand-made file holds (raw records, odd counts).
#pragma once

#include <cstring>
#include <random>
#include <string>

#include "gamefile/game_file_writer.h"
#include "scene/class_registry.h"

namespace ox::oxf::testing {

class RandomGame {
 public:
  explicit RandomGame(unsigned seed) : rng_(seed) {}

  gamefile::Node Game() {
    gamefile::EnsureClassesRegistered();
    gamefile::Node root = Element(*scene::ClassRegistry::Instance().Find("TOxDB"), 0);
    if (Chance(20)) root.storedName = Bytes(12);
    return root;
  }

 private:
  bool Chance(int oneIn) { return std::uniform_int_distribution<int>(0, oneIn - 1)(rng_) == 0; }
  int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

  std::string Bytes(int maxLength) {
    std::string s(static_cast<std::size_t>(Below(maxLength + 1)), '\0');
    for (char& c : s) c = static_cast<char>(Chance(3) ? Below(256) : ' ' + Below(95));
    return s;
  }

  std::string Script() {
    static const char* const pieces[] = {"x := 1;", "  if a > 2 then b := 'q';", "\t|>>> \"'", "",
                                         "<<<", "end;  ", "}", "  # not a comment"};
    const char* lineEnd = Chance(2) ? "\r\n" : "\n";
    std::string s;
    for (int i = Below(6) + 1; i > 0; --i) s += std::string(pieces[Below(8)]) + (i > 1 || Chance(2) ? lineEnd : "");
    if (Chance(10)) s += "\r";  // a lone CR: no longer a block
    return s;
  }

  gamefile::RawValue Value(scene::StreamKind kind) {
    switch (kind) {
      case scene::StreamKind::Int32:
        return static_cast<std::int32_t>(Chance(2) ? Below(4) - 1 : static_cast<int>(rng_()));
      case scene::StreamKind::Float64: {
        if (Chance(2)) return (Below(2001) - 1000) / 8.0;
        const std::uint64_t bits = (static_cast<std::uint64_t>(rng_()) << 32) | rng_();
        double d;
        std::memcpy(&d, &bits, 8);
        return d;
      }
      case scene::StreamKind::String: return Chance(3) ? Script() : Bytes(16);
    }
    return std::int32_t{0};
  }

  gamefile::Node Element(const scene::ClassInfo& info, int depth) {
    gamefile::Node node;
    node.className = info.name;
    const int count = static_cast<int>(info.properties.size());
    const int stored = Chance(4) ? Below(count + 1) : count;
    for (int i = 0; i < stored; ++i) node.values.push_back(Value(scene::StreamKindOf(info.properties[static_cast<std::size_t>(i)].type)));
    if (Chance(30)) node.storedCount = stored == count ? count + 1 + Below(5) : -1 - Below(5);
    if (node.storedCount && *node.storedCount < 0) node.values.clear();
    if (depth > 0 && Chance(25)) node.storedName = info.name + std::string(256, 'x');  // read by its first byte
    for (int i = depth < 4 ? Below(4) : 0; i > 0; --i) node.children.push_back(Child(info, depth));
    return node;
  }

  gamefile::Node Child(const scene::ClassInfo& parent, int depth) {
    if (Chance(12)) {
      gamefile::Node raw;
      raw.raw = Chance(2) ? Bytes(4) : std::string("\x05\0\0\0bogus", 9) + Bytes(20);
      return raw;
    }
    std::vector<const scene::ClassInfo*> fits;
    for (const auto* c : scene::ClassRegistry::Instance().Classes()) {
      if (c->createIn != nullptr && c->MayBeChildOf(parent.name)) fits.push_back(c);
    }
    if (fits.empty()) {
      gamefile::Node raw;
      raw.raw = "";
      return raw;
    }
    return Element(*fits[static_cast<std::size_t>(Below(static_cast<int>(fits.size())))], depth + 1);
  }

  std::mt19937 rng_;
};

}  // namespace ox::oxf::testing
