#include "elements/text_layout.h"

namespace ox::elements {

namespace {

// The first character at which `match` holds, or the text's size.
template <typename Match>
std::size_t FindChar(std::string_view text, std::size_t from, Match match) {
  for (std::size_t at = from; at < text.size(); at += CharAt(text, at).size) {
    if (match(at)) return at;
  }
  return text.size();
}

std::string SplitLines(std::string_view text) {
  const auto isBreak = [text](std::size_t at) {
    if (at + 1 >= text.size()) return false;
    return (text[at] == '\r' && text[at + 1] == '\n') || (text[at] == '\\' && text[at + 1] == 'n');
  };
  std::string lines;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t p = FindChar(text, start, isBreak);
    lines.append(text.substr(start, p - start));
    lines += '\0';
    start = p + 2;
  }
  return lines;
}

class Wrapper {
 public:
  Wrapper(const LayoutRules& rules, const TextMeasure& measure)
      : rules_(rules), measure_(measure), space_(measure.LineWidth(" ")) {}

  void Add(std::string_view bare) {
    std::string word = width_ != 0 ? " " : "";
    const bool spaced = !word.empty();
    word.append(bare);
    const double ww = measure_.LineWidth(word);
    if (width_ + ww <= rules_.boxWidth) {
      out_ += word;
      width_ += ww;
    } else if (ww <= rules_.boxWidth || !rules_.unicode) {
      if (spaced) {
        out_ += '\0';
        out_.append(word, 1);
        width_ = ww - space_;
      } else {
        out_ += word;
        width_ = ww;
      }
    } else {
      SplitBetweenCharacters(word);
    }
  }

  std::string Take() { return std::move(out_); }

 private:
  void SplitBetweenCharacters(std::string_view word) {
    for (std::size_t at = 0; at < word.size();) {
      const EngineChar c = CharAt(word, at);
      const double cw = measure_.CharWidth(c.code);
      if (width_ + cw > rules_.boxWidth) {
        out_ += '\0';
        width_ = cw;
      } else {
        width_ += cw;
      }
      out_.append(word.substr(at, c.size));
      at += c.size;
    }
  }

  const LayoutRules& rules_;
  const TextMeasure& measure_;
  double space_;
  double width_ = 0;
  std::string out_;
};

}  // namespace

EngineChar CharAt(std::string_view text, std::size_t at) {
  const auto byte = [text](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
  if (byte(at) == 0x01 && at + 2 < text.size()) {
    return {3, static_cast<std::uint16_t>(byte(at + 1) | byte(at + 2) << 8)};
  }
  return {1, byte(at)};
}

std::string LayText(std::string_view text, const LayoutRules& rules, const TextMeasure& measure) {
  const std::string lines = SplitLines(text);
  if (!rules.autoEnter) return lines;
  Wrapper wrapper(rules, measure);
  const std::string_view all = lines;
  for (std::size_t start = 0; start < all.size();) {
    const std::size_t p = FindChar(all, start, [all](std::size_t at) { return all[at] == ' ' || all[at] == '\0'; });
    wrapper.Add(all.substr(start, p - start));
    start = p + 1;
  }
  return wrapper.Take();
}

}  // namespace ox::elements
