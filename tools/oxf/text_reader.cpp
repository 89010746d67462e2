#include <algorithm>
#include <charconv>
#include <map>

#include "oxf/text_form.h"
#include "oxf/text_values.h"
#include "scene/class_registry.h"
#include "scene/game_root.h"

namespace ox::oxf {

using gamefile::Node;
using gamefile::RawValue;
using scene::ClassInfo;
using scene::PropertyInfo;

namespace {

constexpr std::string_view kNameCharacters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789_";

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

const char* TypeName(const PropertyInfo& p) {
  switch (p.type) {
    case scene::PropType::Boolean: return "a Boolean (True, False or an integer)";
    case scene::PropType::Enum: return "an enumeration value (its name or ordinal)";
    case scene::PropType::Real:
    case scene::PropType::Extended: return "a number";
    default: return "an integer";
  }
}

struct Frame {
  Node node;
  const ClassInfo* info;  // none for an unknown class: its lines are not checked further
  int line;
  std::map<std::size_t, std::pair<RawValue, int>> values;  // by table index, with their line
};

class SourceReader {
 public:
  explicit SourceReader(std::string_view text) : rest_(text) {}

  ReadResult Read() {
    std::string_view line;
    while (NextLine(line)) Dispatch(line);
    for (const Frame& open : stack_) Error(open.line, open.node.className + " opened here is not closed");
    if (!sawRoot_) Error(1, "the source holds no element");
    std::stable_sort(result_.errors.begin(), result_.errors.end(),
                     [](const SourceError& a, const SourceError& b) { return a.line < b.line; });
    return std::move(result_);
  }

 private:
  bool NextLine(std::string_view& line) {
    if (pushedBack_) {
      line = *pushedBack_;
      pushedBack_.reset();
      return true;
    }
    if (rest_.empty()) return false;
    const std::size_t end = rest_.find('\n');
    line = rest_.substr(0, end);
    rest_ = end == std::string_view::npos ? std::string_view{} : rest_.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    ++lineNo_;
    return true;
  }

  void Error(int line, std::string message) { result_.errors.push_back({line, std::move(message)}); }

  void Dispatch(std::string_view raw) {
    const std::string_view line = Trim(raw);
    if (line.empty() || line.front() == '#') return;
    if (line == "}") return Close();
    const std::size_t word = std::min(line.find_first_not_of(kNameCharacters), line.size());
    if (word > 0 && Trim(line.substr(word)).starts_with('=')) {
      const std::size_t equals = line.find('=', word);
      return Property(line.substr(0, word), Trim(line.substr(equals + 1)));
    }
    if (line.back() == '{') return Open(Trim(line.substr(0, line.size() - 1)));
    if (line.starts_with("@raw ")) return RawChild(Trim(line.substr(4)));
    if (line.starts_with("@count ")) return Count(Trim(line.substr(6)));
    Error(lineNo_, "expected an element, a property or '}'");
  }

  Frame* Current() {
    if (!stack_.empty()) return &stack_.back();
    Error(lineNo_, "outside of any element");
    return nullptr;
  }

  void Open(std::string_view header) {
    const std::size_t space = header.find_first_of(" \t");
    const std::string className(header.substr(0, space));
    Frame frame{Node{}, scene::ClassRegistry::Instance().Find(className), lineNo_, {}};
    frame.node.className = className;
    if (space != std::string_view::npos) {
      frame.node.storedName = Unquote(Trim(header.substr(space)));
      if (!frame.node.storedName) Error(lineNo_, "malformed stored class name after " + className);
    }
    if (frame.info == nullptr) Error(lineNo_, "unknown element class \"" + className + "\"");
    if (stack_.empty()) {
      if (sawRoot_) Error(lineNo_, "a source holds one root element; this one follows its end");
      if (frame.info != nullptr && frame.info->createIn != nullptr)
        Error(lineNo_, "the root element must be a " + scene::TOxDB::StaticClass().name);
      sawRoot_ = true;
    } else if (const ClassInfo* parent = stack_.back().info; parent != nullptr && frame.info != nullptr) {
      if (frame.info->createIn == nullptr || !frame.info->MayBeChildOf(parent->name))
        Error(lineNo_, "a " + className + " may not be a child of a " + parent->name);
    }
    stack_.push_back(std::move(frame));
  }

  void Close() {
    if (stack_.empty()) return Error(lineNo_, "'}' closes no element");
    Frame frame = std::move(stack_.back());
    stack_.pop_back();
    if (frame.info != nullptr) {
      for (auto& [index, value] : frame.values) frame.node.Set(frame.info->properties[index].name, value.first);
    }
    if (stack_.empty()) {
      result_.root = std::move(frame.node);
    } else {
      stack_.back().node.children.push_back(std::move(frame.node));
    }
  }

  void RawChild(std::string_view text) {
    Frame* frame = Current();
    if (frame == nullptr) return;
    Node raw;
    raw.raw = Unquote(text);
    if (!raw.raw) return Error(lineNo_, "@raw takes one quoted byte string");
    frame->node.children.push_back(std::move(raw));
  }

  void Count(std::string_view text) {
    Frame* frame = Current();
    if (frame == nullptr) return;
    std::int32_t count = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
    if (error != std::errc{} || end != text.data() + text.size() || text.empty())
      return Error(lineNo_, "@count takes one 32-bit integer");
    frame->node.storedCount = count;
  }

  void Property(std::string_view name, std::string_view text) {
    Frame* frame = Current();
    const int line = lineNo_;
    std::optional<RawValue> value = text.starts_with("<<<") ? Block(Trim(text.substr(3))) : std::nullopt;
    if (frame == nullptr || frame->info == nullptr) return;
    const PropertyInfo* p = frame->info->FindProperty(name);
    if (p == nullptr) return Error(line, frame->info->name + " has no property \"" + std::string(name) + "\"");
    const bool isString = scene::StreamKindOf(p->type) == scene::StreamKind::String;
    if (!text.starts_with("<<<")) {
      if (isString) {
        if (auto s = Unquote(text)) value = RawValue(std::move(*s));
      } else {
        value = ParseNumber(*p, text);
      }
      if (!value) {
        return Error(line, "malformed value for " + std::string(p->name) + " (expected " +
                               (isString ? std::string("a quoted string or a <<< block") : TypeName(*p)) +
                               "): " + std::string(text));
      }
    } else if (!value) {
      return;  // the block reported its own error
    } else if (!isString) {
      return Error(line, std::string(p->name) + " is " + TypeName(*p) + ", not a block of text");
    }
    const auto index = static_cast<std::size_t>(p - frame->info->properties.data());
    const auto [at, added] = frame->values.emplace(index, std::make_pair(std::move(*value), line));
    if (!added) Error(line, std::string(p->name) + " is set twice (first on line " + std::to_string(at->second.second) + ")");
  }

  // The lines of a <<< block up to its ">>>", each after its '|'.
  std::optional<RawValue> Block(std::string_view lineEnd) {
    const int start = lineNo_;
    const bool crlf = lineEnd == "crlf";
    bool good = crlf || lineEnd.empty();
    if (!good) Error(start, "a block opens with \"<<<\" or \"<<< crlf\"");
    std::vector<std::string> lines;
    std::string_view line;
    while (NextLine(line)) {
      const std::string_view content = Trim(line);
      if (content == ">>>") {
        if (!good) return std::nullopt;
        return RawValue(JoinBlock(lines, crlf));
      }
      const std::size_t bar = line.find('|');
      if (bar == std::string_view::npos || !Trim(line.substr(0, bar)).empty()) {
        pushedBack_ = line;  // not a line of the block: the block ended without its ">>>"
        break;
      }
      lines.emplace_back(line.substr(bar + 1));
    }
    Error(start, "the block opened here has no closing \">>>\" (each of its lines starts with '|')");
    return std::nullopt;
  }

  std::string_view rest_;
  std::optional<std::string_view> pushedBack_;  // a line read ahead, to be read again
  int lineNo_ = 0;
  bool sawRoot_ = false;
  std::vector<Frame> stack_;
  ReadResult result_;
};

}  // namespace

ReadResult ReadSource(std::string_view text) {
  gamefile::EnsureClassesRegistered();
  return SourceReader(text).Read();
}

}  // namespace ox::oxf
