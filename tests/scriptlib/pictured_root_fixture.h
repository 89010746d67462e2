// A scripted root whose pictures come from an in-memory store, with the shared random generator
// at a fixed seed, so sparkles and particles come out the same in every run.
#pragma once

#include <cstdint>

#include "../elements/picture_fixture.h"
#include "platform/core/random.h"
#include "script_root_fixture.h"

namespace ox::scriptlib {

// A base of its own so that the store is made before the root and outlives its images.
struct WithPictures {
  elements::testing::PictureStore pictures;
};

template <std::uint32_t Seed>
struct PicturedRootTest : WithPictures, ScriptRootTest {
  void SetUp() override {
    ScriptRootTest::SetUp();
    platform::SeedSharedRandom(Seed);
  }
};

}  // namespace ox::scriptlib
