#include "media/sound_store.h"

#include <gtest/gtest.h>

#include <fstream>

#include "fake_audio.h"
#include "support/temp_folder.h"

namespace ox::media {
namespace {

using platform::AudioHandle;

class SoundStoreTest : public ::testing::Test {
 protected:
  SoundStoreTest() { std::filesystem::create_directories(folder_ / "Sounds"); }

  void AddSoundFile(const std::string& name, const std::string& content = "good") {
    std::ofstream(folder_ / "Sounds" / name, std::ios::binary) << content;
  }
  void AddRecord(const std::string& name, const std::string& content = "good") {
    records_[name] = std::vector<std::uint8_t>(content.begin(), content.end());
  }

  SoundStore& Store() {
    if (!store_) {
      files_.emplace(folder_);
      store_.emplace(
          audio, *files_,
          [this](const std::string& name) -> std::optional<std::vector<std::uint8_t>> {
            archiveRequests.push_back(name);
            const auto found = records_.find(name);
            if (found == records_.end()) return std::nullopt;
            return found->second;
          },
          [this] { ++timerResets; });
    }
    return *store_;
  }

  // The channel of the only music entry named `name`.
  testing::FakeAudio::Channel& MusicChannel(const std::string& name) {
    for (const SoundStore::MusicEntry& entry : Store().Music()) {
      if (entry.name == name) return audio.channels.at(entry.handle);
    }
    throw std::logic_error("no music " + name);
  }

  void Ticks(int count) {
    for (int i = 0; i < count; ++i) Store().StepMusicFades();
  }

  testing::FakeAudio audio;
  std::vector<std::string> archiveRequests;
  int timerResets = 0;
  test_support::TempFolder temp_;
  std::filesystem::path folder_ = temp_.path();

 private:
  std::map<std::string, std::vector<std::uint8_t>> records_;
  std::optional<platform::GameFiles> files_;
  std::optional<SoundStore> store_;
};

TEST_F(SoundStoreTest, SampleVolumeIsTheSoundVolumeTimesThePercentage) {
  AddSoundFile("click.wav");
  Store().PlaySample("Click.wav", 50);
  Store().SetSoundVolume(30);
  Store().PlaySample("click.WAV", 50);
  Store().SetSoundVolume(100);
  Store().PlaySample("click.wav", 2'000'000'000);  // no overflow; the layer takes at most 100
  ASSERT_EQ(audio.loads, std::vector<std::string>{"sample click.wav"});
  std::vector<std::int32_t> volumes;
  for (const auto& [handle, channel] : audio.channels) {
    EXPECT_EQ(channel.plays, 1);
    EXPECT_EQ(channel.playsFromStart, 0);
    volumes.insert(volumes.end(), channel.volumes.begin(), channel.volumes.end());
  }
  EXPECT_EQ(volumes, (std::vector<std::int32_t>{50, 15, 100}));
  EXPECT_EQ(Store().Samples().front().name, "CLICK.WAV");
}

TEST_F(SoundStoreTest, TheOggNameIsTriedOnTheFirstRequest) {
  AddSoundFile("Door.ogg");
  Store().PlaySample("door.wav", 100);
  ASSERT_EQ(audio.channels.size(), 1u);
  ASSERT_EQ(Store().Samples().size(), 2u);
  EXPECT_EQ(Store().Samples()[0].name, "DOOR.WAV");
  EXPECT_EQ(Store().Samples()[0].handle, 0u);
  EXPECT_EQ(Store().Samples()[1].name, "DOOR.OGG");
  EXPECT_EQ(audio.channelSample.begin()->second, Store().Samples()[1].handle);

  Store().PlaySample("DOOR.WAV", 100);
  EXPECT_EQ(audio.channels.size(), 2u);
  EXPECT_EQ(audio.loads, std::vector<std::string>{"sample Door.ogg"});

  // Music likewise; names too short for an extension become "OGG".
  AddSoundFile("theme.ogg");
  Store().PlayMusic("theme.mp3", 100);
  EXPECT_EQ(MusicChannel("THEME.OGG").playsFromStart, 1);
  AddSoundFile("ogg");
  Store().PlaySample("ab", 100);
  EXPECT_EQ(Store().Samples().back().name, "OGG");
  EXPECT_NE(Store().Samples().back().handle, 0u);
}

TEST_F(SoundStoreTest, FailedNamesAreNeverLookedForAgain) {
  Store().PlaySample("missing.wav", 100);
  Store().PlayMusic("missing.mp3", 100);
  EXPECT_EQ(archiveRequests,
            (std::vector<std::string>{"sounds\\MISSING.WAV", "sounds\\MISSING.OGG",
                                      "sounds\\MISSING.MP3", "sounds\\MISSING.OGG"}));
  AddSoundFile("missing.wav");
  AddSoundFile("missing.mp3");
  Store().PlaySample("missing.wav", 100);
  Store().PlayMusic("missing.mp3", 100);
  EXPECT_EQ(archiveRequests.size(), 4u);
  EXPECT_TRUE(audio.loads.empty());
  EXPECT_TRUE(audio.channels.empty());

  // A file that is there but does not decode fails too, without trying the archive.
  AddSoundFile("broken.wav", "bad data");
  AddRecord("sounds\\BROKEN.WAV");
  EXPECT_EQ(Store().GetSample("BROKEN.WAV"), 0u);
  EXPECT_EQ(archiveRequests.size(), 4u);
}

TEST_F(SoundStoreTest, ArchiveRecordsServeWhenNoLooseFileExists) {
  AddSoundFile("both.wav");
  AddRecord("sounds\\BOTH.WAV");
  AddRecord("sounds\\BEEP.WAV");
  AddRecord("sounds\\SONG.OGG", "song bytes");
  AddRecord("sounds\\OTHER.OGG", "other bytes");
  EXPECT_NE(Store().GetSample("BOTH.WAV"), 0u);
  EXPECT_NE(Store().GetSample("BEEP.WAV"), 0u);
  const AudioHandle song = Store().GetMusic("SONG.OGG");
  ASSERT_NE(song, 0u);
  EXPECT_NE(Store().GetMusic("OTHER.OGG"), 0u);
  EXPECT_EQ(audio.loads, (std::vector<std::string>{"sample both.wav", "sample memory",
                                                   "stream memory", "stream memory"}));
  // The stream's memory stays put while later records arrive.
  const std::span<const std::uint8_t> memory = audio.streamMemory.at(song);
  EXPECT_EQ(std::string(memory.begin(), memory.end()), "song bytes");
}

TEST_F(SoundStoreTest, APlayedSoundWithACyrillicNameIsFoundInTheArchive) {
  AddRecord("sounds\\\xE7\xE2\xEE\xED.WAV");  // "звон.WAV" in Windows-1251
  Store().PlaySample("\xE7\xE2\xEE\xED.wav", 100);  // only the ASCII letters are raised
  EXPECT_EQ(audio.loads, (std::vector<std::string>{"sample memory"}));
}

TEST_F(SoundStoreTest, EveryNewSampleNameResetsTheFrameTimer) {
  AddSoundFile("a.wav");
  Store().GetSample("A.WAV");
  Store().GetSample("A.WAV");
  Store().GetSample("NONE.WAV");
  Store().GetMusic("A.WAV");
  EXPECT_EQ(timerResets, 2);
}

TEST_F(SoundStoreTest, MusicFadesInOverSixtyTicks) {
  AddSoundFile("theme.ogg");
  Store().PlayMusic("theme.ogg", 100);
  testing::FakeAudio::Channel& channel = MusicChannel("THEME.OGG");
  EXPECT_EQ(channel.playsFromStart, 1);
  EXPECT_EQ(channel.volumes, std::vector<std::int32_t>{0});
  Ticks(60);
  ASSERT_EQ(channel.volumes.size(), 61u);
  EXPECT_EQ(channel.volumes[1], 1);  // 50 x 1/60
  EXPECT_EQ(channel.volumes[30], 25);
  EXPECT_EQ(channel.volumes[59], 49);
  EXPECT_EQ(channel.volumes[60], 50);
  EXPECT_DOUBLE_EQ(Store().Music().front().level, 1.0);
  EXPECT_EQ(Store().Music().front().step, 0.0);
  Ticks(2);
  EXPECT_EQ(channel.volumes.back(), 50);  // set every tick, fading or not
  EXPECT_EQ(channel.volumes.size(), 63u);
}

TEST_F(SoundStoreTest, PlayingMusicIsRetargetedWithoutRestarting) {
  AddSoundFile("theme.ogg");
  Store().PlayMusic("theme.ogg", 100);
  Ticks(60);
  Store().PlayMusic("THEME.OGG", 40);
  testing::FakeAudio::Channel& channel = MusicChannel("THEME.OGG");
  EXPECT_EQ(channel.playsFromStart, 1);
  Ticks(58);
  EXPECT_EQ(channel.volumes.back(), 21);  // 50 x 0.42
  EXPECT_NE(Store().Music().front().step, 0.0);
  Ticks(2);
  EXPECT_EQ(channel.volumes.back(), 20);
  EXPECT_EQ(Store().Music().front().step, 0.0);
  EXPECT_DOUBLE_EQ(Store().Music().front().level, 0.4);
}

TEST_F(SoundStoreTest, FadeOutTakesAboutThirtyTicksAndStopsTheMusic) {
  AddSoundFile("theme.ogg");
  AddSoundFile("other.ogg");
  Store().PlayMusic("theme.ogg", 100);
  Store().PlayMusic("other.ogg", 100);
  Ticks(60);
  Store().FadeOutMusic();
  Ticks(29);
  testing::FakeAudio::Channel& channel = MusicChannel("THEME.OGG");
  EXPECT_TRUE(channel.playing);
  EXPECT_EQ(channel.volumes.back(), 2);  // 50 x 1/30, rounded
  // Thirty steps of -1/30 leave a rounding residue above 0; the next step ends the fade.
  Ticks(2);
  EXPECT_EQ(channel.volumes.back(), 0);
  EXPECT_EQ(channel.stops, 1);
  EXPECT_FALSE(MusicChannel("OTHER.OGG").playing);
  const std::size_t volumesSet = channel.volumes.size();
  Ticks(5);
  EXPECT_EQ(channel.volumes.size(), volumesSet);

  // Played again, it starts over with a fade-in.
  Store().PlayMusic("theme.ogg", 100);
  EXPECT_EQ(channel.playsFromStart, 2);
  Ticks(1);
  EXPECT_EQ(channel.volumes.back(), 1);
}

TEST_F(SoundStoreTest, FadeOutThenPlayInTheSameTickTurnsTheFadeAround) {
  AddSoundFile("theme.ogg");
  Store().PlayMusic("theme.ogg", 60);
  Ticks(60);
  Store().FadeOutMusic();
  Ticks(15);  // halfway down: level 0.3
  Store().FadeOutMusic();
  Store().PlayMusic("theme.ogg", 90);
  const SoundStore::MusicEntry& entry = Store().Music().front();
  EXPECT_NEAR(entry.level, 0.3, 1e-9);
  EXPECT_NEAR(entry.step, (0.9 - 0.3) / 60, 1e-12);
  EXPECT_EQ(MusicChannel("THEME.OGG").playsFromStart, 1);
  Ticks(60);
  EXPECT_EQ(MusicChannel("THEME.OGG").volumes.back(), 45);
  EXPECT_TRUE(MusicChannel("THEME.OGG").playing);
}

TEST_F(SoundStoreTest, MusicStartedAndFadedOutInOneTickStillStops) {
  AddSoundFile("theme.ogg");
  Store().PlayMusic("theme.ogg", 100);
  Store().FadeOutMusic();
  Ticks(1);
  EXPECT_FALSE(MusicChannel("THEME.OGG").playing);
  EXPECT_EQ(MusicChannel("THEME.OGG").volumes.back(), 0);
}

TEST_F(SoundStoreTest, MusicVolumeRoundsHalvesToEvenAndStaysInRange) {
  AddSoundFile("theme.ogg");
  Store().PlayMusic("theme.ogg", 50);
  Ticks(60);  // level exactly 0.5
  Store().SetMusicVolume(5);
  Ticks(1);
  EXPECT_EQ(MusicChannel("THEME.OGG").volumes.back(), 2);  // 2.5
  Store().SetMusicVolume(7);
  Ticks(1);
  EXPECT_EQ(MusicChannel("THEME.OGG").volumes.back(), 4);  // 3.5
  Store().SetMusicVolume(2'000'000'000);
  Ticks(1);
  EXPECT_EQ(MusicChannel("THEME.OGG").volumes.back(), 100);
}

TEST_F(SoundStoreTest, AChangedMusicVolumeReachesTheFirstPlayingMusicAtOnce) {
  AddSoundFile("first.ogg");
  AddSoundFile("second.ogg");
  Store().PlayMusic("first.ogg", 100);
  Store().PlayMusic("second.ogg", 100);
  Ticks(60);
  MusicChannel("FIRST.OGG").playing = false;  // it ended
  Store().SetMusicVolume(80);
  Store().ApplyMusicVolume();
  EXPECT_EQ(MusicChannel("FIRST.OGG").volumes.back(), 50);
  EXPECT_EQ(MusicChannel("SECOND.OGG").volumes.back(), 80);
}

TEST_F(SoundStoreTest, TheStoreFreesItsStreamsWhenItGoes) {
  AddSoundFile("theme.ogg");
  const platform::GameFiles files(folder_);
  {
    SoundStore store(audio, files, {}, {});
    store.PlayMusic("theme.ogg", 100);
    store.PlayMusic("none.ogg", 100);
    EXPECT_TRUE(audio.freed.empty());
  }
  EXPECT_EQ(audio.freed.size(), 1u);
}

}  // namespace
}  // namespace ox::media
