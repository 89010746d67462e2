// Handles, deferred loading, where pictures come from, and the screen switch's bookkeeping.
#include "image_store_test_host.h"

namespace ox::media::testing {
namespace {

TEST_F(ImageStoreTest, OneHandlePerNormalisedNameWithEffectPrefixesKept) {
  host.PutGame("pics/plain.bmp", "plain24.bmp");
  TOxIm* first = store.RequestImage("pics\\plain.bmp", false);
  TOxIm* second = store.RequestImage("PICS\\Plain.BMP", false);
  EXPECT_EQ(first, second);
  EXPECT_EQ(first->Name(), "PICS\\PLAIN.BMP");
  EXPECT_EQ(first->Requests(), 2);
  EXPECT_NE(first->Image(), nullptr);

  TOxIm* viewed = store.RequestImage("*pics\\plain.bmp", false);
  EXPECT_NE(viewed, first);
  EXPECT_EQ(viewed->Name(), "*PICS\\PLAIN.BMP");
  EXPECT_NE(viewed->Image(), nullptr) << "the prefix is not part of the file name";
  EXPECT_EQ(viewed->Image()->Name(), "PICS\\PLAIN.BMP");

  TOxIm* bothEffects = store.RequestImage("*#pics\\plain.bmp", false);
  EXPECT_NE(bothEffects->Image(), nullptr);
  TOxIm* greyThenStar = store.RequestImage("#*pics\\plain.bmp", false);
  EXPECT_TRUE(greyThenStar->Failed()) << "after \"#\" the \"*\" belongs to the file name";
  EXPECT_EQ(store.Handles().size(), 4u);
}

TEST_F(ImageStoreTest, TheProgramFolderAsStoredIsDroppedFromTheName) {
  host.PutGame("a.bmp", "plain24.bmp");
  host.programPrefix = "C:\\GAME\\";
  EXPECT_EQ(store.RequestImage("c:\\game\\a.bmp", false)->Name(), "A.BMP");
  host.programPrefix = "c:\\game\\";
  EXPECT_EQ(store.RequestImage("c:\\game\\a.bmp", false)->Name(), "C:\\GAME\\A.BMP")
      << "the upper-cased name never begins with a folder spelled in small letters";
  EXPECT_EQ(store.Handles().size(), 2u);
}

TEST_F(ImageStoreTest, RequestsWhileLoadingIsDeferredAreCountedOncePerPicture) {
  host.PutGame("a.bmp", "plain24.bmp");
  host.PutGame("b.bmp", "plain24.bmp");
  host.PutGame("c.bmp", "plain24.bmp");
  store.RequestImage("c.bmp", false);
  store.SetImLoadNow(false);
  TOxIm* a = nullptr;
  for (int i = 0; i < 3; ++i) a = store.RequestImage("a.bmp", false);
  store.RequestImage("c.bmp", false);
  EXPECT_EQ(a->Requests(), 3);
  EXPECT_EQ(a->Image(), nullptr);
  EXPECT_EQ(store.ImForLoadCount(), 1) << "a loaded picture is not counted";
  EXPECT_EQ(store.ImForLoadPos(), 1);

  TOxIm* kept = store.RequestImage("b.bmp", true);
  EXPECT_NE(kept->Image(), nullptr) << "a kept picture loads at once";
  EXPECT_TRUE(kept->Keep());
  EXPECT_EQ(store.ImForLoadCount(), 1);
  EXPECT_EQ(store.ImForLoadPos(), 2);

  store.SetImLoadNow(true);
  store.RequestImage("a.bmp", false);
  EXPECT_NE(a->Image(), nullptr);
  EXPECT_EQ(store.ImForLoadPos(), 3);
  EXPECT_FALSE(store.RequestImage("b.bmp", false)->Image() == nullptr);
  EXPECT_TRUE(store.RequestImage("b.bmp", false)->Keep()) << "Keep is fixed by the first request";
}

TEST_F(ImageStoreTest, LooseFileThenProgramFolderThenArchive) {
  // The same name in three places, each a different picture: rgba.png in the game folder,
  // grid.png in the program folder, large.png in the archive.
  const auto load = [this] {
    ImageStore fresh(backend, host);
    TOxIm* handle = fresh.RequestImage("Pics\\Shown.png", false);
    return handle->Image() != nullptr ? handle->Image()->PatternWidth() : -1;
  };
  host.SetArchive({TestHost::Record("pics\\shown.png", "large.png")});
  TestHost::Put(host.program, "PICS/SHOWN.PNG", FixtureBytes("grid.png"));
  host.PutGame("pics/shown.png", "rgba.png");
  EXPECT_EQ(load(), 2);
  fs::remove(host.game / "pics/shown.png");
  EXPECT_EQ(load(), 256);
  fs::remove(host.program / "PICS/SHOWN.PNG");
  EXPECT_EQ(load(), 2048);
  host.hasArchive = false;
  EXPECT_EQ(load(), -1);
}

TEST_F(ImageStoreTest, OnlyAsciiLettersFoldSoACyrillicRecordIsFoundByItsName) {
  // "фон.png" and "ФОН.png" in Windows-1251.
  const std::string lower = "\xF4\xEE\xED.png", upper = "\xD4\xCE\xCD.png";
  host.SetArchive({TestHost::Record("Pics\\" + lower, "rgba.png")});
  TOxIm* found = store.RequestImage("PICS\\" + lower, false);
  EXPECT_EQ(found->Name(), "PICS\\" + lower.substr(0, 3) + ".PNG");
  EXPECT_NE(found->Image(), nullptr) << "the record's name matches with ASCII letters folded";
  EXPECT_TRUE(store.RequestImage("pics\\" + upper, false)->Failed())
      << "Cyrillic letters of another case name another record";
}

TEST_F(ImageStoreTest, APictureFoundNowhereFailsAndIsNeverLookedForAgain) {
  TOxIm* missing = store.RequestImage("late.bmp", false);
  EXPECT_TRUE(missing->Failed());
  EXPECT_EQ(missing->Image(), nullptr);
  EXPECT_EQ(store.ImForLoadPos(), 1);
  host.PutGame("late.bmp", "plain24.bmp");
  host.alwaysLoadIm = true;
  EXPECT_EQ(store.GetImage(missing), nullptr);
  EXPECT_EQ(store.RequestImage("late.bmp", false), missing);
  EXPECT_EQ(missing->Image(), nullptr);
  EXPECT_EQ(store.ImForLoadPos(), 1);
  EXPECT_EQ(host.loadImProcessCalls, 0);
}

TEST_F(ImageStoreTest, AnUndecodablePictureGetsATextureSetWithoutTextures) {
  host.PutGameText("broken.png", "not a picture at all");
  TOxIm* broken = store.RequestImage("broken.png", false);
  EXPECT_FALSE(broken->Failed());
  ASSERT_NE(broken->Image(), nullptr);
  EXPECT_EQ(broken->Image()->TextureCount(), 0);
  EXPECT_EQ(broken->Image()->PatternCount(), 0);
  EXPECT_EQ(broken->Bytes(), 0u);
}

TEST_F(ImageStoreTest, AFailedUploadMarksTheHandleButCountsItsBytes) {
  host.PutGame("a.bmp", "plain24.bmp");
  backend.unsupported = {render::TextureFormat::A8R8G8B8, render::TextureFormat::A4R4G4B4,
                         render::TextureFormat::A8R3G3B2, render::TextureFormat::A1R5G5B5};
  TOxIm* handle = store.RequestImage("a.bmp", false);
  EXPECT_TRUE(handle->Failed());
  EXPECT_EQ(handle->Image(), nullptr);
  EXPECT_EQ(handle->Bytes(), 6u * 3u * 4u);
  EXPECT_EQ(store.ImMemUsed(), 6u * 3u * 4u);
}

TEST_F(ImageStoreTest, GetImageLoadsOnFirstUseOnlyWhenTheRootSaysSo) {
  host.PutGame("a.bmp", "plain24.bmp");
  store.SetImLoadNow(false);
  TOxIm* handle = store.RequestImage("a.bmp", false);
  store.SetImLoadNow(true);
  store.ImStamp() = 7;
  EXPECT_EQ(store.GetImage(handle), nullptr);
  EXPECT_EQ(handle->UseStamp(), 7u);
  host.alwaysLoadIm = true;
  store.ImStamp() = 9;
  EXPECT_NE(store.GetImage(handle), nullptr);
  EXPECT_EQ(handle->Requests(), 2);
  EXPECT_EQ(handle->UseStamp(), 9u);
  EXPECT_EQ(store.GetImage(nullptr), nullptr);
}

TEST_F(ImageStoreTest, AScreenSwitchFreesWhatWasNotRequestedAgain) {
  for (const char* name : {"first.bmp", "kept.bmp", "again.bmp", "gone.bmp"})
    host.PutGame(name, "plain24.bmp");
  TOxIm* first = store.RequestImage("first.bmp", false);
  TOxIm* kept = store.RequestImage("kept.bmp", true);
  TOxIm* again = store.RequestImage("again.bmp", false);
  TOxIm* gone = store.RequestImage("gone.bmp", false);
  const std::uint64_t used = store.ImMemUsed();

  store.ResetImageRequests();
  for (TOxIm* handle : {first, kept, again, gone}) EXPECT_EQ(handle->Requests(), 0);
  store.RequestImage("again.bmp", false);
  store.UnloadUnrequestedImages();
  EXPECT_EQ(first->Image(), nullptr) << "the first handle is not spared here";
  EXPECT_NE(kept->Image(), nullptr);
  EXPECT_NE(again->Image(), nullptr);
  EXPECT_EQ(gone->Image(), nullptr);
  EXPECT_FALSE(gone->Failed());
  EXPECT_EQ(store.ImMemUsed(), used);
  EXPECT_EQ(backend.textures.size(), 2u);
}

TEST_F(ImageStoreTest, TheModeSwitchReloadsEveryLoadedPictureUnderItsOwnStamp) {
  for (const char* name : {"a.bmp", "b.bmp", "c.bmp"}) host.PutGame(name, "plain24.bmp");
  TOxIm* a = store.RequestImage("a.bmp", false);
  store.ImStamp() = 5;
  TOxIm* b = store.RequestImage("b.bmp", true);
  store.ImStamp() = 8;
  store.SetImLoadNow(false);
  TOxIm* c = store.RequestImage("c.bmp", false);
  store.SetImLoadNow(true);
  store.ImStamp() = 12;

  store.ReloadTextures();
  EXPECT_EQ(store.ImStamp(), 12u);
  EXPECT_EQ(a->UseStamp(), 0u);
  EXPECT_EQ(b->UseStamp(), 5u);
  EXPECT_NE(a->Image(), nullptr);
  EXPECT_NE(b->Image(), nullptr);
  EXPECT_EQ(c->Image(), nullptr) << "only pictures that had textures are reloaded";
  EXPECT_EQ(a->Requests(), 2);
  EXPECT_EQ(store.ImMemUsed(), 2u * 72u);
  EXPECT_EQ(backend.textures.size(), 2u);
}

TEST_F(ImageStoreTest, DuringAScreenSwitchEveryLoadShowsTheLoadingScreenOnce) {
  host.PutGame("a.bmp", "plain24.bmp");
  host.PutGame("b.bmp", "plain24.bmp");
  store.RequestImage("missing.bmp", false);
  store.RequestImage("a.bmp", false);
  EXPECT_EQ(host.loadImProcessCalls, 0);

  host.loading = true;
  TOxIm* nested = nullptr;
  host.onLoadImProcess = [&] { nested = store.RequestImage("b.bmp", false); };
  store.RequestImage("missing2.bmp", false);
  EXPECT_EQ(host.loadImProcessCalls, 0) << "a picture found nowhere is no progress";
  store.RequestImage("*a.bmp", false);
  EXPECT_EQ(host.loadImProcessCalls, 1) << "a load inside the loading script does not recurse";
  ASSERT_NE(nested, nullptr);
  EXPECT_NE(nested->Image(), nullptr);
}

TEST(ImageStoreGlobalTest, TheProcessWideStoreIsWhatWasSet) {
  TestHost host;
  render::testing::FakeBackend backend;
  ImageStore store(backend, host);
  EXPECT_EQ(Images(), nullptr);
  SetImages(&store);
  EXPECT_EQ(Images(), &store);
  SetImages(nullptr);
  EXPECT_EQ(Images(), nullptr);
}

}  // namespace
}  // namespace ox::media::testing
