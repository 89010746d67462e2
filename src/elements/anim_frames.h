// The frame table of an animation: for every frame, the pictures to draw with their place,
// scales, angle, colour and effect. It keeps what it needs per key and actor (and one spline per
// value of each path) and produces a frame's entries when they are drawn or read, so its size
// follows the keys and actors, never the frame count.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "elements/spline.h"

namespace ox::media {
class TOxIm;
}

namespace ox::elements {

class TOxAnim;
class TOxAnKey;

// One picture to draw in one frame.
struct FrameEntry {
  std::int32_t keyMarker;  // -(k + 1) in the first frame of key k, k in its in-between frames
  std::int32_t step;       // the frame within its key, 0 .. Count
  std::string_view actorId;
  std::string_view pictureName;
  media::TOxIm* picture;
  std::int32_t pattern;
  double x, y;             // the picture's centre from the animation's absolute position
  double scale;
  double angle;            // degrees, without the animation's own Angle
  double scaleX, scaleY;
  std::uint32_t colour;    // ARGB
  std::uint32_t effect;
};

class AnimFrames {
 public:
  // Builds the table from the animation's keys and their images as they are now; pictures
  // without a texture at this moment are left out.
  void Build(const TOxAnim& anim);
  void Clear();

  std::int32_t FrameCount() const { return frameCount_; }
  // The entries of a frame, in drawing order (out is emptied first; nothing for a frame outside
  // the table).
  void Frame(std::int32_t frame, std::vector<FrameEntry>& out) const;

 private:
  // An actor as one key lays it out.
  struct Pose {
    media::TOxIm* picture;
    std::string pictureName;
    std::int32_t pattern;
    double patternWidth, patternHeight;  // of the picture's pattern when the table was built
    double offsetX, offsetY;             // top-left corner from the animation's absolute position
    double scale, scaleX, scaleY, angle;
    std::uint8_t trans;
    std::uint32_t rgb;
    std::uint32_t effect;
  };
  // The smooth path of the actors of one exact Id: one spline per value over the key times.
  struct Path {
    std::string id;
    std::vector<double> times, x, y, scale, scaleX, scaleY, angle;
    Spline sx, sy, sScale, sScaleX, sScaleY, sAngle;
  };
  // An actor of one key moving toward its partner in the next key (itself when it stands still).
  struct Track {
    std::string id;
    Pose from, to;
    std::int32_t path;  // index into paths_, or -1 for straight lines
    bool followScales;
    bool changesPicture;
  };
  struct Key {
    std::int32_t start;
    std::int32_t count;
    bool morph;
    std::size_t firstTrack, endTrack;
  };

  void BuildPaths(const TOxAnim& anim, const std::vector<const TOxAnKey*>& keys);
  void AddKeyTracks(const TOxAnim& anim, const std::vector<const TOxAnKey*>& keys, std::size_t k,
                    std::int32_t start);
  std::int32_t PathOf(const std::string& id) const;
  void AddEntries(const Key& key, std::size_t k, const Track& track, std::int32_t f,
                  std::vector<FrameEntry>& out) const;
  FrameEntry Moving(const Key& key, const Track& track, std::int32_t f) const;
  void TurnToDirection(FrameEntry& entry) const;

  std::vector<Key> keys_;
  std::vector<Track> tracks_;
  std::vector<Path> paths_;
  std::int32_t frameCount_ = 0;
  long double angle_ = 0;  // the animation's Angle when the table was built
};

}  // namespace ox::elements
