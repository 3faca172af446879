// Recorded scenes of every kind: the scenes the kind tests build (every kind of each family with
// values other than its defaults, and the hand-made records of each old file version), as they
// were saved, listed and drawn before the kinds' records were reorganised. Loading each must
// save the same bytes, list the same properties with the same values, and draw the same 60
// frames. The expected files were made once by the library as it was then (ZKW_KINDS_RECORD,
// below), never at test time.
//
// To record anew (only when a change is meant to alter them):
//   ZKW_KINDS_RECORD=tests/data/kinds build/dev/tests/zkw_tests --gtest_filter='*RecordScene*:KindsRecorded.*'
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

#include "base/last_error.h"
#include "kind_test_support.h"
#include "player/objects/moving_obj.h"

using namespace zkw;

namespace {

const char* const kScenes[] = {"every_record_kind",    "every_effect_kind",   "every_transform_kind",
                               "every_wave_run_kind",  "hidden_hotrack",      "records_v20000",
                               "label_v30000",         "effects_old_layouts", "transforms_old_layouts",
                               "waves_old_layouts",    "demo"};

std::string DataPath(const std::string& file) { return std::string(ZKW_TEST_DATA) + "/kinds/" + file; }

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Every object in order: kind, name, and each listed property with the value GetValue gives.
std::string Properties(TDibAnimator& ani) {
  std::ostringstream out;
  for (TItemNode* n = ani.Head(); n; n = n->NextItem) {
    auto* o = static_cast<TAnimateObj*>(n);
    out << "object " << int{o->FStyle} << " " << o->FName << "\n";
    TPropList props;
    o->GetPropsToList(props);
    for (const auto& [name, id] : props) {
      long double value = 0;
      std::string text;
      const int32_t kind = o->GetValue(id, value, text);
      char number[64];
      std::snprintf(number, sizeof number, "%.21Lg", value);
      out << "  " << id << " " << name << " = " << kind << " " << number << " \"" << text << "\"\n";
    }
  }
  return out.str();
}

// CRC-32 of the frame buffer after each of 60 action and drawing steps, one per line.
std::string Frames(TDibAnimator& ani) {
  std::ostringstream out;
  ani.FSceneReady = true;
  ani.BeforePlay();
  for (int frame = 1; frame <= 60; ++frame) {
    ani.DoAction(ani.FDib);
    ani.DoDraw(ani.FDib);
    TDibBaseObj* dib = ani.FDib;
    uLong crc = crc32(0, nullptr, 0);
    if (dib)
      for (int32_t y = 0; y < dib->FHeight; ++y)
        crc = crc32(crc, dib->PixelAddress(0, y), static_cast<uInt>(dib->FWidth * (dib->FBits == 1 ? 1 : 3)));
    char line[32];
    std::snprintf(line, sizeof line, "%d %08lx\n", frame, crc);
    out << line;
  }
  return out.str();
}

struct KindsRecorded : kindtest::KindScene {};

TEST_F(KindsRecorded, ScenesSaveListAndDrawAsRecorded) {
  const char* record = std::getenv("ZKW_KINDS_RECORD");
  for (const char* name : kScenes) {
    SCOPED_TRACE(name);
    const std::string input = ReadText(DataPath(std::string(name) + ".dan"));
    ASSERT_FALSE(input.empty()) << "missing " << DataPath(std::string(name) + ".dan");
    SetAniRandomSeed(7);
    TDibAnimator scene;
    ASSERT_TRUE(kindtest::Load(scene, std::vector<uint8_t>(input.begin(), input.end()))) << LastErrorText();
    const std::vector<uint8_t> saved = kindtest::Save(scene);
    const std::string savedText(saved.begin(), saved.end());
    const std::string props = Properties(scene);
    const std::string frames = Frames(scene);
    if (record && *record) {
      std::ofstream(DataPath(std::string(name) + ".saved.dan"), std::ios::binary) << savedText;
      std::ofstream(DataPath(std::string(name) + ".props.txt"), std::ios::binary) << props;
      std::ofstream(DataPath(std::string(name) + ".frames.txt"), std::ios::binary) << frames;
      continue;
    }
    EXPECT_TRUE(savedText == ReadText(DataPath(std::string(name) + ".saved.dan"))) << "saved bytes differ";
    EXPECT_EQ(props, ReadText(DataPath(std::string(name) + ".props.txt")));
    EXPECT_EQ(frames, ReadText(DataPath(std::string(name) + ".frames.txt")));
  }
}

}  // namespace
