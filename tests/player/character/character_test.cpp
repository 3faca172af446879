// Characters: the file reader's checks, the frame sequences of the gesture styles, commands
// (queue, returns, previous and next gestures, looping chains), the boundary, walking, sounds
// and drawing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "player/character/dib_character.h"
#include "support/dib_builders.h"
#include "support/test_support.h"
#include "support/wave_builders.h"

namespace {

using zkw::TCharGestureSource;
using zkw::TDibCharacter;

// Frames are 2 x 1 images whose left pixel is the index Tag (so drawn frames can be told apart).
struct FrameStore {
  std::vector<std::unique_ptr<zkw::TDib8Bits>> dibs;
  zkw::TCharFrameSource Frame(int tag, int during = 1, int dx = 0, int dy = 0) {
    dibs.push_back(zkwtest::Indexed(2, 1, {tag, tag + 1}));
    dibs.back()->CreateAlphaChannel();
    dibs.back()->AlphaDib->PutPixel(0, 0, 255);
    dibs.back()->AlphaDib->PutPixel(1, 0, 0);
    return {dibs.back().get(), during, dx, dy};
  }
};

TCharGestureSource Gesture(FrameStore& store, const std::string& name, uint8_t style, int frames,
                           bool canReturn = false, std::string prev = "", std::string next = "",
                           int dx = 0) {
  TCharGestureSource g;
  g.Name = name;
  g.Style = style;
  g.EnableReturn = canReturn;
  g.PrevGes = prev;
  g.NextGes = next;
  for (int i = 1; i <= frames; ++i) g.Frames.push_back(store.Frame(i, 1, dx));
  return g;
}

std::vector<uint8_t> BuildFile(const std::vector<TCharGestureSource>& gestures) {
  std::vector<uint8_t> bytes;
  std::string error;
  EXPECT_TRUE(zkw::BuildCharacterFile("Tester", 2, 1, gestures, bytes, error)) << error;
  return bytes;
}

// The file is named after the running test too: ctest runs the tests of this suite side by side.
bool LoadBytes(TDibCharacter& ch, const std::vector<uint8_t>& bytes, const std::string& name) {
  const std::string file = std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "-" + name;
  zkwtest::WriteFileBytes(zkwtest::TempPath(file), bytes);
  return ch.LoadFromFile(zkwtest::TempName(file).c_str());
}

// "Command:frame" after each of Steps action steps.
std::string Steps(TDibCharacter& ch, int steps) {
  std::string out;
  for (int i = 0; i < steps; ++i) {
    ch.DoAction();
    if (!out.empty()) out += ' ';
    out += ch.CurrentCommand() + ":" + std::to_string(ch.CurrentFrame() ? ch.CurrentFrame()->FIndex : 0);
  }
  return out;
}

// The standard cast: a one-frame rest pose, three-frame gestures of each style, a returnable
// gesture with a previous one, a looping previous chain, a gesture naming its next one.
std::vector<uint8_t> Cast(FrameStore& s) {
  return BuildFile({Gesture(s, "RestPose", 2, 1), Gesture(s, "Once", 0, 3),
                    Gesture(s, "Swing", 1, 3), Gesture(s, "Loop", 2, 3),
                    Gesture(s, "Wave", 0, 2, true, "Lift"), Gesture(s, "Lift", 0, 2, true),
                    Gesture(s, "ChainA", 0, 1, false, "ChainB"),
                    Gesture(s, "ChainB", 0, 1, false, "ChainA"),
                    Gesture(s, "Then", 0, 1, false, "", "Once"),
                    Gesture(s, "Walk", 2, 1, false, "", "", 5)});
}

TEST(Character, CommandSequences) {
  struct Case {
    const char* what;
    std::vector<std::pair<std::string, int>> plays;  // command, 0 at once, 1 queued, 2 forced
    int steps;
    const char* expected;
  } cases[] = {
      {"play once", {{"Once", 0}}, 4, "Once:1 Once:2 RestPose:1 RestPose:1"},
      {"back and forth", {{"Swing", 0}}, 7, "Swing:1 Swing:2 Swing:3 Swing:2 Swing:1 Swing:2 Swing:3"},
      {"from the start", {{"Loop", 0}}, 5, "Loop:1 Loop:2 Loop:3 Loop:1 Loop:2"},
      {"queue in order", {{"Once", 1}, {"Then", 1}}, 6,
       "Once:1 Once:2 Then:1 Once:1 Once:1 Once:2"},
      {"next gesture", {{"Then", 0}}, 3, "Once:1 Once:1 Once:2"},
      {"previous first, then returned", {{"Wave", 0}}, 9,
       "Lift:1 Lift:2 Lift:2 Wave:1 Wave:1 Wave:2 Wave:2 Lift:2 Lift:2"},
      {"looping previous chain ends", {{"ChainA", 0}}, 2, "ChainA:1 RestPose:1"},
      {"at once drops the queue", {{"Once", 1}, {"Loop", 1}, {"Swing", 0}}, 2, "Swing:1 Swing:2"},
      {"a command that does not load keeps the queue", {{"Once", 1}, {"Loop", 1}, {"Nobody", 0}}, 4,
       "Once:1 Once:2 Loop:1 Loop:1"},
      {"forced", {{"Loop", 0}, {"Swing", 2}}, 2, "Swing:1 Swing:2"},
      {"queued rest pose skips what is in front", {{"Once", 0}, {"Loop", 1}, {"RestPose", 1}}, 3,
       "Once:1 Once:2 RestPose:1"},
      {"unknown command", {{"Nobody", 0}}, 1, "RestPose:1"},
      {"current command ignored", {{"Loop", 0}, {"loop", 0}}, 2, "Loop:1 Loop:2"},
  };
  for (const Case& c : cases) {
    FrameStore s;
    TDibCharacter ch;
    ASSERT_TRUE(LoadBytes(ch, Cast(s), "cast.chr")) << c.what;
    for (const auto& [command, how] : c.plays) {
      if (how == 2) ch.ForcePlay(command);
      else ch.Play(command, how == 1);
    }
    EXPECT_EQ(Steps(ch, c.steps), c.expected) << c.what;
  }
}

TEST(Character, PlayWithoutWaitReturnsAReturnableGestureFirst) {
  FrameStore s;
  TDibCharacter ch;
  ASSERT_TRUE(LoadBytes(ch, Cast(s), "cast.chr"));
  ch.ForcePlay("Lift");
  EXPECT_EQ(Steps(ch, 1), "Lift:1");
  ch.Play("Once", false);  // Lift goes back to its start, then Once plays
  EXPECT_EQ(ch.QueueLength(), 1u);
  EXPECT_EQ(Steps(ch, 4), "Lift:2 Once:1 Once:1 Once:2");
  ch.SetReturnable(false);
  ch.ForcePlay("Lift");
  ch.Play("Loop", false);  // not returnable: at once
  EXPECT_EQ(Steps(ch, 1), "Loop:1");
  ch.ForcePlay("Once");
  ch.Return();  // cannot return: the rest pose restarts
  EXPECT_EQ(ch.CurrentCommand(), "RestPose");
}

TEST(Character, BoundaryWalkingAndNotifications) {
  struct Case {
    const char* what;
    int start, boundary;
    bool walk;
    const char* expected;  // x after each step, then the notifications
  } cases[] = {
      {"walks right up to the boundary", 0, 12, false, "0 5 10 10 10|2 2 2 3"},
      {"walks left from the right", 30, 12, false, "30 35 40 45 50|2 2 2 2 2"},
      {"boundary 0 lets the right side move", 3, 0, false, "3 8 13 18 23|2 2 2 2 2"},
      {"walking target, arrival as the boundary", 0, -100, true, "3 6 9 10 10|3"},
  };
  for (const Case& c : cases) {
    FrameStore s;
    TDibCharacter ch;
    ASSERT_TRUE(LoadBytes(ch, Cast(s), "cast.chr"));
    std::string notes;
    ch.OnNotify = [&](int code) { notes += (notes.empty() ? "" : " ") + std::to_string(code); };
    ch.SetPos(c.start, 7);
    ch.SetBoundary(c.boundary);
    if (c.walk) ch.WalkTo(10, 9, 1, 3);
    else ch.Play("Walk", false);
    std::string xs;
    for (int i = 0; i < 5; ++i) {
      ch.DoAction();
      xs += (xs.empty() ? "" : " ") + std::to_string(ch.XPos());
    }
    EXPECT_EQ(xs + "|" + notes, c.expected) << c.what;
    if (c.walk) {
      EXPECT_EQ(ch.YPos(), 9) << c.what;
    }
  }
}

TEST(Character, ReaderRefusesDamagedFilesAndGestures) {
  FrameStore s;
  const std::vector<uint8_t> good = Cast(s);
  const size_t onceAt = zkwtest::GetLE<uint32_t>(good, 54 + 21 * 1 + 16);
  struct Case {
    const char* what;
    size_t offset;
    std::vector<uint8_t> bytes;
    bool loads, oncePlays;
  } cases[] = {
      {"intact", 0, {}, true, true},
      {"stored size differs", 36, {0xFF}, false, false},
      {"wrong identifier", 0, {'d'}, false, false},
      {"wrong version", 16, {0, 0, 3, 0}, false, false},
      {"dimension 0", 40, {0, 0, 0, 0}, false, false},
      {"dimension 16385", 44, {1, 0x40, 0, 0}, false, false},
      {"more items than the file holds", 52, {0xFF, 0xFF}, false, false},
      {"gesture address outside", 54 + 21 + 16, {0xFF, 0xFF, 0xFF, 0x7F}, true, false},
      {"frame count 0", onceAt + 33, {0, 0}, true, false},
      {"negative frame count", onceAt + 33, {0xFF, 0xFF}, true, false},
      {"DEX signature", onceAt + 35 + 12, {0}, true, false},
      {"DEX part beyond the file", onceAt + 35 + 12 + 14, {0xFF, 0xFF, 0xFF, 0x0F}, true, false},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> bytes = good;
    for (size_t i = 0; i < c.bytes.size(); ++i) bytes[c.offset + i] = c.bytes[i];
    TDibCharacter ch;
    EXPECT_EQ(LoadBytes(ch, bytes, "damaged.chr"), c.loads) << c.what;
    EXPECT_EQ(ch.Active(), c.loads) << c.what;
    ch.Play("Once", false);
    EXPECT_EQ(ch.CurrentCommand() == "Once", c.oncePlays) << c.what;
  }
}

TEST(Character, SoundBlockOutlivesItsGestureAndBadWavesStaySilent) {
  std::vector<const void*> played;
  TDibCharacter::TSoundPlayer saved = TDibCharacter::SoundPlayer();
  TDibCharacter::SoundPlayer() = [&](const void* wave, uint32_t) {
    played.push_back(wave);
    return true;
  };
  FrameStore s;
  TCharGestureSource speak = Gesture(s, "Speak", 0, 2), bad = Gesture(s, "Bad", 0, 1);
  speak.Sound = zkwtest::PcmWave(1, 8, 8000, 100);
  bad.Sound = speak.Sound;
  zkwtest::PutLE<uint32_t>(bad.Sound, 4, 5000);  // RIFF size beyond the stored sound
  const auto bytes = BuildFile({Gesture(s, "RestPose", 2, 1), speak, bad});
  TDibCharacter ch, other;
  ASSERT_TRUE(LoadBytes(ch, bytes, "speak.chr"));
  ch.Play("Speak", false);
  ASSERT_EQ(played.size(), 1u);
  const void* block = played[0];
  ch.Play("Bad", false);
  Steps(ch, 3);
  EXPECT_EQ(played.size(), 1u);  // the damaged wave is never handed over
  ASSERT_NE(ch.LastSound(), nullptr);
  EXPECT_EQ(ch.LastSound()->data(), block);  // still alive for the asynchronous player
  EXPECT_EQ(*ch.LastSound(), speak.Sound);
  ASSERT_TRUE(LoadBytes(other, bytes, "speak2.chr"));
  other.Play("Speak", false);
  ch.Close();  // the player plays the other character's sound: left alone
  EXPECT_EQ(played.back(), other.LastSound()->data());
  other.Close();
  EXPECT_EQ(played.back(), nullptr);
  TDibCharacter::SoundPlayer() = saved;
}

TEST(Character, DrawingBlendsFlipsAndScales) {
  FrameStore s;
  TDibCharacter ch;
  ASSERT_TRUE(LoadBytes(ch, BuildFile({Gesture(s, "RestPose", 2, 1)}), "draw.chr"));
  // Index 1 is (1, 2, 3); blending an opaque pixel in weighs it 255/256: (0, 1, 2).
  const uint32_t white = 0xFFFFFF, c1 = 0x020100;
  struct Case {
    const char* what;
    int flipX, scale, opacity;
    std::vector<uint32_t> row0;  // the top row of a 5 x 2 target drawn at (1, 0)
    int alphaX;                  // AlphaAt(alphaX, 0) is 255, AlphaAt(1 - alphaX, 0) is 0
  } cases[] = {
      {"plain", 1, 100, 100, {white, c1, white, white, white}, 0},
      {"scale 0 is unscaled", 1, 0, 100, {white, c1, white, white, white}, 0},
      {"mirrored", -1, 100, 100, {white, white, c1, white, white}, 1},
      {"scaled 200 (blocks of 3 filled in order)", 1, 200, 100, {white, c1, c1, c1, white}, 0},
  };
  for (const Case& c : cases) {
    auto target = zkwtest::Solid24(5, 2, white);
    ch.SetFlipX(c.flipX);
    ch.Scale = c.scale;
    ch.Opacity = c.opacity;
    ch.Draw(1, 0, target.get());
    for (int x = 0; x < 5; ++x) EXPECT_EQ(target->GetPixelEx(x, 0), c.row0[x]) << c.what << " x " << x;
    EXPECT_EQ(ch.AlphaAt(c.alphaX, 0), 255) << c.what;
    EXPECT_EQ(ch.AlphaAt(c.scale == 200 ? 2 : 1 - c.alphaX, 0), 0) << c.what;
    EXPECT_EQ(ch.AlphaAt(-1, 0), 0) << c.what;
  }
  // Blended at half opacity: halfway between the frame's colour and white, per channel.
  auto target = zkwtest::Solid24(2, 1, 0);
  ch.SetFlipX(1);
  ch.Scale = 100;
  ch.Opacity = 50;
  ch.DrawOn(target.get());
  auto reference = zkwtest::Solid24(2, 1, 0);
  reference->DrawMerge(0, 0, ch.CurrentFrame()->FDib.get(), 0, 0, 2, 1, 1, 1, 50);
  EXPECT_EQ(target->GetPixelEx(0, 0), reference->GetPixelEx(0, 0));
  EXPECT_EQ(target->GetPixelEx(0, 0), 0x010000u);  // (1, 2, 3) at half over black: (0, 0, 1)
  EXPECT_EQ(ch.Width(), 2);
  ch.Scale = 250;
  EXPECT_EQ(ch.Width(), 5);
  EXPECT_EQ(ch.Height(), 2);  // 2.5 rounds to even
}

// The same figure stored as an 8-bit and as a 24-bit frame looks the same however it is drawn.
TEST(Character, TwentyFourBitFramesDrawLikeEightBitOnes) {
  auto narrow = zkwtest::Indexed(3, 2, {1, 2, 3, 4, 5, 6});
  auto deep = zkwtest::Solid24(3, 2, 0);
  const int alpha[6] = {255, 128, 0, 255, 255, 0};
  narrow->CreateAlphaChannel();
  deep->CreateAlphaChannel();
  for (int i = 0; i < 6; ++i) {
    const int x = i % 3, y = i / 3;
    deep->Bar(x, y, x, y, zkwtest::Col(i + 1));
    narrow->AlphaDib->PutPixel(x, y, static_cast<uint32_t>(alpha[i]));
    deep->AlphaDib->PutPixel(x, y, static_cast<uint32_t>(alpha[i]));
  }
  auto build = [](zkw::TDibBaseObj* dib) {
    TCharGestureSource g;
    g.Name = "RestPose";
    g.Frames.push_back({dib, 1, 0, 0});
    std::vector<uint8_t> bytes;
    std::string error;
    EXPECT_TRUE(zkw::BuildCharacterFile("Tester", 3, 2, {g}, bytes, error)) << error;
    return bytes;
  };
  TDibCharacter a, b;
  ASSERT_TRUE(LoadBytes(a, build(narrow.get()), "narrow.chr"));
  ASSERT_TRUE(LoadBytes(b, build(deep.get()), "deep.chr"));
  ASSERT_EQ(b.CurrentFrame()->FDib->Bits(), 3);
  struct Case {
    int scale, flipX, flipY, opacity;
  } cases[] = {{100, 1, 1, 100}, {100, -1, -1, 60}, {200, 1, 1, 100}, {200, -1, 1, 100},
               {250, 1, -1, 80}, {50, 1, 1, 100},   {50, -1, -1, 100}, {0, -1, 1, 100}};
  for (const Case& c : cases) {
    auto ta = zkwtest::Solid24(12, 8, 0xFFFFFF), tb = zkwtest::Solid24(12, 8, 0xFFFFFF);
    int drawn = 0;
    for (TDibCharacter* ch : {&a, &b}) {
      ch->Scale = c.scale;
      ch->Opacity = c.opacity;
      ch->SetFlipX(c.flipX);
      ch->SetFlipY(c.flipY);
    }
    a.Draw(1, 1, ta.get());
    b.Draw(1, 1, tb.get());
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 12; ++x) {
        EXPECT_EQ(tb->GetPixelEx(x, y), ta->GetPixelEx(x, y)) << c.scale << " " << c.flipX << " at " << x << "," << y;
        drawn += ta->GetPixelEx(x, y) != 0xFFFFFFu;
        EXPECT_EQ(b.AlphaAt(x, y), a.AlphaAt(x, y)) << c.scale << " alpha at " << x << "," << y;
      }
    EXPECT_GT(drawn, 0) << c.scale;
  }
}

TEST(Character, WriterRoundTripAndRefusals) {
  FrameStore s;
  std::vector<TCharGestureSource> gestures = {Gesture(s, "RestPose", 2, 1),
                                              Gesture(s, "Walk", 1, 3, true, "RestPose", "Stop", -4)};
  gestures[1].Frames[2].During = 7;
  gestures[1].Sound = zkwtest::PcmWave(2, 16, 11025, 10);
  auto deep = zkwtest::Solid24(3, 2, 0x123456);  // 24-bit frames are kept as they are
  gestures[0].Frames.push_back({deep.get(), 2, 0, 1});
  const auto bytes = BuildFile(gestures);
  zkw::TBufferStream stream(bytes.data(), bytes.size());
  zkw::TCharFileHeader header;
  std::vector<zkw::TGestureItem> items;
  ASSERT_TRUE(zkw::ReadCharHeader(&stream, header, items));
  EXPECT_EQ(zkw::CharName(header.cfhName), "Tester");
  EXPECT_EQ(header.cfhFilesize, static_cast<int32_t>(bytes.size()));
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[1].giEnableReturn, 1);
  zkw::TCharGestureData walk, rest;
  ASSERT_TRUE(zkw::ReadCharGesture(&stream, items[1].giAddress, walk));
  ASSERT_TRUE(zkw::ReadCharGesture(&stream, items[0].giAddress, rest));
  EXPECT_EQ(walk.Style, 1);
  EXPECT_EQ(walk.PrevGes + "/" + walk.NextGes, "RestPose/Stop");
  EXPECT_EQ(walk.Sound, gestures[1].Sound);
  ASSERT_EQ(walk.Frames.size(), 3u);
  for (size_t i = 0; i < 3; ++i) {
    const zkw::TCharFrameData& f = walk.Frames[i];
    EXPECT_EQ(f.During * 1000 + f.Dx * 10 + f.Dy, (i == 2 ? 7000 : 1000) - 40) << i;
    EXPECT_EQ(f.Dib->GetPixel(0, 0), i + 1) << i;
    EXPECT_EQ(f.Dib->GetPixel(1, 0), i + 2) << i;
    EXPECT_EQ(f.Dib->AlphaDib->GetPixel(0, 0) * 1000 + f.Dib->AlphaDib->GetPixel(1, 0), 255000u) << i;
  }
  ASSERT_EQ(rest.Frames.size(), 2u);
  EXPECT_EQ(rest.Frames[1].Dib->Bits(), 3);
  EXPECT_EQ(rest.Frames[1].Dib->GetPixelEx(2, 1), 0x123456u);

  struct Refusal {
    const char* what;
    std::string name;
    int width;
    int gestureStyle;
    bool dropFrames;
  } refusals[] = {
      {"name of 16 characters", "SixteenCharsLong", 2, 0, false},
      {"width 0", "A", 0, 0, false},
      {"width 16385", "A", 16385, 0, false},
      {"style 3", "A", 2, 3, false},
      {"no frames", "A", 2, 0, true},
  };
  for (const Refusal& r : refusals) {
    std::vector<TCharGestureSource> one = {Gesture(s, "G", static_cast<uint8_t>(r.gestureStyle), 1)};
    if (r.dropFrames) one[0].Frames.clear();
    std::vector<uint8_t> out;
    std::string error;
    EXPECT_FALSE(zkw::BuildCharacterFile(r.name, r.width, 1, one, out, error)) << r.what;
    EXPECT_FALSE(error.empty()) << r.what;
  }
}

}  // namespace
