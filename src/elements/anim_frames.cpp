#include "elements/anim_frames.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "elements/an_key.h"
#include "elements/anim.h"
#include "elements/drawing.h"
#include "elements/image.h"
#include "platform/core/checked.h"
#include "platform/text/case1251.h"

namespace ox::elements {

namespace {

std::vector<const TOxAnKey*> KeysOf(const TOxAnim& anim) {
  std::vector<const TOxAnKey*> keys;
  for (const auto& child : anim.Children()) {
    if (const auto* key = dynamic_cast<const TOxAnKey*>(child.get())) keys.push_back(key);
  }
  return keys;
}

std::vector<const TOxImage*> ImagesOf(const TOxAnKey& key) {
  std::vector<const TOxImage*> images;
  for (const auto& child : key.Children()) {
    if (const auto* image = dynamic_cast<const TOxImage*>(child.get())) images.push_back(image);
  }
  return images;
}

const render::TAsphyreImage* TexturesNow(const TOxImage& image) {
  return TexturesOf(image.Picture());
}

std::uint8_t RoundAlpha(double value) {
  return static_cast<std::uint8_t>(std::clamp(RoundHalfEven(value), 0.0, 255.0));
}

std::uint32_t WithAlpha(std::uint32_t rgb, std::uint8_t alpha) {
  return rgb + (std::uint32_t{alpha} << 24);
}

// A key's spans of frames add up in 32 bits; keys past that are left out of the table.
constexpr std::int64_t kMaxFrames = std::numeric_limits<std::int32_t>::max();

}  // namespace

void AnimFrames::Clear() {
  keys_.clear();
  tracks_.clear();
  paths_.clear();
  frameCount_ = 0;
}

void AnimFrames::Build(const TOxAnim& anim) {
  Clear();
  angle_ = anim.Angle;
  const std::vector<const TOxAnKey*> keys = KeysOf(anim);
  if (anim.Interpol) BuildPaths(anim, keys);
  std::int64_t start = 0;
  for (std::size_t k = 0; k < keys.size(); ++k) {
    const std::int64_t end = start + keys[k]->Count() + 1;
    if (end > kMaxFrames) break;
    AddKeyTracks(anim, keys, k, static_cast<std::int32_t>(start));
    start = end;
  }
  frameCount_ = static_cast<std::int32_t>(start);
}

void AnimFrames::BuildPaths(const TOxAnim& anim, const std::vector<const TOxAnKey*>& keys) {
  const std::int64_t animX = anim.GetAbsX(), animY = anim.GetAbsY();
  std::int64_t start = 0;
  for (const TOxAnKey* key : keys) {
    if (start + key->Count() + 1 > kMaxFrames) break;
    for (const TOxImage* image : ImagesOf(*key)) {
      const render::TAsphyreImage* textures = TexturesNow(*image);
      if (textures == nullptr || image->Id.empty()) continue;
      std::int32_t index = PathOf(image->Id);
      if (index < 0) {
        index = static_cast<std::int32_t>(paths_.size());
        paths_.push_back(Path{image->Id, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}});
      }
      Path& path = paths_[static_cast<std::size_t>(index)];
      // One knot per key: a second image of the same Id in one key would give two knots at
      // one time, which no curve passes through.
      if (!path.times.empty() && path.times.back() == static_cast<double>(start)) continue;
      const double scale = static_cast<double>(image->Scale());
      path.times.push_back(static_cast<double>(start));
      path.x.push_back(static_cast<double>(image->GetAbsX() - animX) + scale * textures->PatternWidth() / 2);
      path.y.push_back(static_cast<double>(image->GetAbsY() - animY) + scale * textures->PatternHeight() / 2);
      path.scale.push_back(scale);
      path.scaleX.push_back(static_cast<double>(image->ScaleX));
      path.scaleY.push_back(static_cast<double>(image->ScaleY));
      path.angle.push_back(static_cast<double>(image->Angle()));
    }
    start += key->Count() + 1;
  }
  for (Path& path : paths_) {
    const std::size_t n = path.times.size();
    if (n < 2) continue;
    const auto spline = [&path, n](const std::vector<double>& values) {
      return BuildSpline(path.times.data(), values.data(), n, SplineEnd::Parabolic, 0,
                         SplineEnd::Parabolic, 0);
    };
    path.sx = spline(path.x);
    path.sy = spline(path.y);
    path.sScale = spline(path.scale);
    path.sScaleX = spline(path.scaleX);
    path.sScaleY = spline(path.scaleY);
    path.sAngle = spline(path.angle);
  }
}

std::int32_t AnimFrames::PathOf(const std::string& id) const {
  for (std::size_t i = 0; i < paths_.size(); ++i) {
    if (paths_[i].id == id) return static_cast<std::int32_t>(i);
  }
  return -1;
}

namespace {

struct Actor {
  const TOxImage* image;
  std::string name;  // Id upper-cased
};

std::vector<Actor> ActorsOf(const TOxAnKey& key) {
  std::vector<Actor> actors;
  for (const TOxImage* image : ImagesOf(key)) actors.push_back({image, platform::UpperCase1251(image->Id)});
  return actors;
}

}  // namespace

void AnimFrames::AddKeyTracks(const TOxAnim& anim, const std::vector<const TOxAnKey*>& keys,
                              std::size_t k, std::int32_t start) {
  const TOxAnKey& key = *keys[k];
  const TOxAnKey* next = k + 1 < keys.size() ? keys[k + 1] : anim.Rep ? keys[0] : nullptr;
  const std::vector<Actor> partners = next ? ActorsOf(*next) : std::vector<Actor>{};
  const std::int64_t animX = anim.GetAbsX(), animY = anim.GetAbsY();
  const auto pose = [animX, animY](const TOxImage& image, const render::TAsphyreImage& textures) {
    return Pose{image.Picture(), image.imImage(), image.Anim(),
                static_cast<double>(textures.PatternWidth()), static_cast<double>(textures.PatternHeight()),
                static_cast<double>(image.GetAbsX() - animX), static_cast<double>(image.GetAbsY() - animY),
                static_cast<double>(image.Scale()), static_cast<double>(image.ScaleX),
                static_cast<double>(image.ScaleY), static_cast<double>(image.Angle()),
                image.hxTrans(), image.hxColor(), image.hxDrawFx};
  };

  const std::size_t firstTrack = tracks_.size();
  for (const Actor& actor : ActorsOf(key)) {
    const TOxImage* partner = nullptr;
    if (!actor.name.empty() && next != nullptr) {
      const auto found = std::find_if(partners.begin(), partners.end(),
                                      [&actor](const Actor& p) { return p.name == actor.name; });
      if (found != partners.end()) partner = found->image;
    }
    if (partner == nullptr) {
      if (!actor.name.empty() && next != nullptr) continue;  // leaves before the next key
      partner = actor.image;
    }
    const render::TAsphyreImage* from = TexturesNow(*actor.image);
    const render::TAsphyreImage* to = TexturesNow(*partner);
    if (from == nullptr || to == nullptr) continue;
    const TOxImage& image = *actor.image;
    const bool smooth = image.Interpol && anim.Interpol && !image.Id.empty();
    const std::int32_t path = smooth ? PathOf(image.Id) : -1;
    const bool hasSpline = path >= 0 && paths_[static_cast<std::size_t>(path)].times.size() >= 2;
    tracks_.push_back(Track{image.Id, pose(image, *from), pose(*partner, *to), hasSpline ? path : -1,
                            image.InterpolSc, from != to || image.Anim() != partner->Anim()});
  }
  keys_.push_back(Key{start, key.Count(), key.Morph, firstTrack, tracks_.size()});
}

void AnimFrames::Frame(std::int32_t frame, std::vector<FrameEntry>& out) const {
  out.clear();
  if (frame < 0 || frame >= frameCount_) return;
  const auto after = std::upper_bound(keys_.begin(), keys_.end(), frame,
                                      [](std::int32_t f, const Key& key) { return f < key.start; });
  const auto k = static_cast<std::size_t>(after - keys_.begin()) - 1;
  const Key& key = keys_[k];
  for (std::size_t t = key.firstTrack; t < key.endTrack; ++t) {
    AddEntries(key, k, tracks_[t], frame - key.start, out);
  }
}

FrameEntry AnimFrames::Moving(const Key& key, const Track& track, std::int32_t f) const {
  const Pose& a = track.from;
  const Pose& b = track.to;
  const double d = key.count + 1.0;
  const auto between = [d, f](double from, double to) { return from + (to - from) / d * f; };
  FrameEntry e{};
  e.pattern = a.pattern;
  e.scale = between(a.scale, b.scale);
  e.scaleX = between(a.scaleX, b.scaleX);
  e.scaleY = between(a.scaleY, b.scaleY);
  e.angle = between(a.angle, b.angle);
  e.x = between(a.offsetX, b.offsetX) + a.patternWidth * 0.5 * e.scale;
  e.y = between(a.offsetY, b.offsetY) + a.patternHeight * 0.5 * e.scale;
  if (track.path >= 0) {
    const Path& path = paths_[static_cast<std::size_t>(track.path)];
    const double t = static_cast<double>(key.start) + f;
    e.x = SplineValue(path.sx, t);
    e.y = SplineValue(path.sy, t);
    if (track.followScales) {
      e.scale = SplineValue(path.sScale, t);
      e.scaleX = SplineValue(path.sScaleX, t);
      e.scaleY = SplineValue(path.sScaleY, t);
    }
    e.angle = SplineValue(path.sAngle, t);
  }
  const double alpha = RoundHalfEven((static_cast<double>(b.trans) - a.trans) / d * f) + a.trans;
  e.colour = WithAlpha(a.rgb, RoundAlpha(alpha));
  e.effect = a.effect;
  return e;
}

void AnimFrames::AddEntries(const Key& key, std::size_t k, const Track& track, std::int32_t f,
                            std::vector<FrameEntry>& out) const {
  FrameEntry e = Moving(key, track, f);
  e.keyMarker = f == 0 ? -static_cast<std::int32_t>(k) - 1 : static_cast<std::int32_t>(k);
  e.step = f;
  e.actorId = track.id;
  e.picture = track.from.picture;
  e.pictureName = track.from.pictureName;
  if (!track.changesPicture) {
    TurnToDirection(out.emplace_back(e));
    return;
  }
  // A changed picture stands still at its key; the new one appears at the next key, or the two
  // cross-fade over this key's frames.
  const Pose& a = track.from;
  e.x = a.offsetX + a.patternWidth * 0.5 * a.scale;
  e.y = a.offsetY + a.patternHeight * 0.5 * a.scale;
  e.scale = a.scale;
  e.angle = a.angle;
  e.colour = WithAlpha(a.rgb, a.trans);
  if (!key.morph) {
    TurnToDirection(out.emplace_back(e));
    return;
  }
  const Pose& b = track.to;
  // The old picture loses 32/255 of its opacity in the first half and the rest in the second;
  // the new one gains 223/255 in the first half. A key of one frame switches at once.
  const double h = key.count * 0.5;
  double fading = 0, rising = 255;
  if (key.count > 0 && f <= key.count / 2) {
    fading = 255 - f * 32 / h;
    rising = f * 223 / h;
  } else if (key.count > 0) {
    fading = 223 - (f - h) * 223 / h;
    rising = (f - h) * 32 / h + 223;
  }
  e.colour = WithAlpha(a.rgb, RoundAlpha(a.trans * fading / 255));
  TurnToDirection(out.emplace_back(e));
  FrameEntry n = e;
  n.picture = b.picture;
  n.pictureName = b.pictureName;
  n.pattern = b.pattern;
  n.x = b.offsetX + b.patternWidth * 0.5 * b.scale;
  n.y = b.offsetY + b.patternHeight * 0.5 * b.scale;
  n.scale = b.scale;
  n.angle = b.angle;
  n.colour = WithAlpha(b.rgb, RoundAlpha(b.trans * rising / 255));
  n.effect = b.effect;
  TurnToDirection(out.emplace_back(n));
}

// A picture of sixteen patterns (pattern -1) shows the direction nearest below its total angle
// in steps of 22.5 degrees and is turned only by the remainder.
void AnimFrames::TurnToDirection(FrameEntry& entry) const {
  long double a = angle_ + entry.angle;
  a = std::isfinite(a) ? RoundHalfEven(static_cast<double>(a * 1000)) / 1000.0L : 0.0L;
  if (a < -100000 || a > 100000) a = 0;
  while (a < 0) a += 360;
  while (a >= 360) a -= 360;
  if (entry.pattern != -1) return;
  const auto idx = std::min<std::int64_t>(static_cast<std::int64_t>(RoundHalfEven(static_cast<double>(a * 10))) / 225, 15);
  entry.pattern = static_cast<std::int32_t>(idx);
  entry.angle = static_cast<double>(a - idx * 22.5L);
}

}  // namespace ox::elements
