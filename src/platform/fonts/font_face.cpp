#include "platform/fonts/font_face.h"

namespace ox::platform {

namespace {

// Made on the first face and never done: faces kept by statics then close in any order at exit.
FT_Library Library() {
  static const FT_Library library = [] {
    FT_Library made = nullptr;
    return FT_Init_FreeType(&made) == 0 ? made : nullptr;
  }();
  return library;
}

}  // namespace

FacePtr OpenFace(const std::filesystem::path& file, int index) {
  FT_Library library = Library();
  if (library == nullptr) return nullptr;
  FT_Face face = nullptr;
  if (FT_New_Face(library, file.c_str(), index, &face) != 0) return nullptr;
  FT_Select_Charmap(face, FT_ENCODING_UNICODE);
  return FacePtr(face);
}

}  // namespace ox::platform
