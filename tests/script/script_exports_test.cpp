// The script exports as a host calls them: ExecuteCode, property values by object and by name,
// the object information record, scene and application variables, and the sized twins.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "exports/zkwgdi32.h"
#include "script/script_test_scene.h"

using namespace zkw;
using zkwtest::ScriptScene;

TEST_F(ScriptScene, ValueExports) {
  TAnimateObj* a = Add("Alpha", 3, 4);
  a->FTextID = "info text";
  DASet(a, 5, 40, "");
  DASetName("alpha", &ani, 6, -7, nullptr);
  DASet(a, 135, 0, "Beta");
  DASet(nullptr, 5, 1, "");
  DASetName("nobody", &ani, 5, 1, "");
  DASetName("Beta", nullptr, 5, 1, "");
  EXPECT_EQ(a->Fx, 40);
  EXPECT_EQ(a->Fy, -7);
  EXPECT_EQ(a->FName, "Beta");
  EXPECT_EQ(DAGet(a, 5), 40);
  EXPECT_EQ(DAGetName("BETA", &ani, 6), -7);
  EXPECT_EQ(DAGet(a, 135), 0);  // a text reads 0
  EXPECT_EQ(DAGet(nullptr, 5), 0);
  EXPECT_EQ(DAGetName("nobody", &ani, 5), 0);
  a->FStore1 = 2.5L;
  EXPECT_EQ(DAGet(a, 157), 2);  // rounded, halves to even

  char buf[64];
  std::memset(buf, 'x', sizeof buf);
  DAGetStr(a, 135, buf);
  EXPECT_STREQ(buf, "Beta");
  DAGetStr(a, 5, buf);  // a number gives the empty text
  EXPECT_STREQ(buf, "");
  DAGetStrName("beta", &ani, 1, buf);
  EXPECT_STREQ(buf, "info text");
  std::memset(buf, 'x', sizeof buf);
  EXPECT_EQ(DAGetStrEx(a, 1, buf, 5), 10);  // needs 10 bytes, copies 4 and the zero
  EXPECT_STREQ(buf, "info");
  EXPECT_EQ(buf[5], 'x');
  EXPECT_EQ(DAGetStrEx(a, 1, buf, 0), 10);
  EXPECT_EQ(DAGetStrNameEx("Beta", &ani, 135, buf, sizeof buf), 5);
  EXPECT_STREQ(buf, "Beta");
  EXPECT_EQ(DAGetStrEx(nullptr, 135, buf, sizeof buf), 1);
  EXPECT_STREQ(buf, "");

  // ExecuteCode runs with the object as THIS; text that does not compile runs nothing.
  ExecuteCode(&ani, a, "SetXPos THIS 9\r\nSetYPos THIS 8");
  EXPECT_EQ(a->Fx, 9);
  ExecuteCode(&ani, a, "SetXPos THIS 1\r\nBogus line");
  ExecuteCode(&ani, a, nullptr);
  ExecuteCode(nullptr, a, "SetXPos THIS 2");
  EXPECT_EQ(a->Fx, 9);
}

TEST_F(ScriptScene, VariableExports) {
  ani.GlobalVarList.Add("$score", 2)->Value = 2.5L;
  ani.GlobalVarList.Add("$name", 3)->StValue = "scene";
  ani.AppVarList->Add("$score", 2)->Value = 100;  // hidden by the scene variable
  ani.AppVarList->Add("$level", 2)->Value = -3.6L;
  ani.AppVarList->Add("$user", 3)->StValue = "app";
  EXPECT_EQ(DAGetVar(&ani, "$SCORE"), 2);
  EXPECT_EQ(DAGetVar(&ani, "$level"), -4);
  EXPECT_EQ(DAGetVar(&ani, "$name"), 0);  // a string variable reads 0
  EXPECT_EQ(DAGetVar(&ani, "$none"), 0);
  EXPECT_EQ(DAGetVar(nullptr, "$score"), 0);
  DASetVar(&ani, "$level", 12);
  DASetVar(&ani, "$name", 12);  // not a number variable: unchanged
  DASetVarStr(&ani, "$user", "host");
  DASetVarStr(&ani, "$score", "text");  // not a string variable: unchanged
  EXPECT_EQ(ani.AppVarList->GetVar("$level")->Value, 12);
  EXPECT_EQ(ani.GlobalVarList.GetVar("$name")->StValue, "scene");
  EXPECT_EQ(DAGetVar(&ani, "$score"), 2);
  char buf[16];
  DAGetVarStr(&ani, "$user", buf);
  EXPECT_STREQ(buf, "host");
  DAGetVarStr(&ani, "$score", buf);
  EXPECT_STREQ(buf, "");
  EXPECT_EQ(DAGetVarStrEx(&ani, "$name", buf, 3), 6);
  EXPECT_STREQ(buf, "sc");
  // Local variables of a run are not seen by the host.
  ExecuteCode(&ani, nullptr, "Var $local Number\r\n$local := 5\r\n$out := $local");
  EXPECT_EQ(DAGetVar(&ani, "$out"), 5);
  EXPECT_EQ(DAGetVar(&ani, "$local"), 0);
}

TEST_F(ScriptScene, ObjectInfoRecord) {
  TAnimateObj* parent = Add("Parent");
  TAnimateObj* o = Add(std::string(300, 'n'), 70000, -2);
  o->FParentName = "Parent";
  o->FTextID = "id";
  o->FLevel = -3;
  o->FCollide = true;
  o->FID = 5;
  o->FStyle = 12;
  o->FDibStyle = 2;
  o->FOriginX = 11;
  o->FOriginY = -12;
  o->FFlipX = -1;
  o->FTrans = 55;
  o->FFloatWhenClick = true;
  o->FLocked = true;
  o->FTag = 0x12345678;
  o->FContainer = true;
  o->FHotCursor = 7;
  (void)parent;
  // Offsets of the Win32 record; after the image handle the 64-bit record is 4 bytes longer.
  const size_t wide = sizeof(void*) - 4;
  auto at = [&](size_t off) { return off > 773 ? off + wide : off; };
  std::vector<uint8_t> rec(900, 0xEE);
  DAGetObjectInfo(o, rec.data());
  EXPECT_EQ(rec[at(810)], 0xEE);  // nothing past the record
  EXPECT_STREQ(reinterpret_cast<char*>(&rec[0]), "Parent");
  EXPECT_EQ(std::strlen(reinterpret_cast<char*>(&rec[256])), 255u);
  EXPECT_STREQ(reinterpret_cast<char*>(&rec[512]), "id");
  auto i16 = [&](size_t off) { int16_t v; std::memcpy(&v, &rec[at(off)], 2); return v; };
  EXPECT_EQ(i16(768), -3);
  EXPECT_EQ(rec[770], 1);   // Collision
  EXPECT_EQ(rec[771], 1);   // Active
  EXPECT_EQ(rec[772], 1);   // Visible
  EXPECT_EQ(rec[at(777)], 1);  // Enabled
  EXPECT_EQ(i16(778), 5);
  EXPECT_EQ(rec[at(780)], 12);
  EXPECT_EQ(i16(781), static_cast<int16_t>(70000 & 0xFFFF));
  EXPECT_EQ(i16(783), -2);
  EXPECT_EQ(rec[at(785)], 2);
  EXPECT_EQ(i16(786), 11);
  EXPECT_EQ(i16(788), -12);
  EXPECT_EQ(i16(790), -1);
  EXPECT_EQ(i16(794), 55);
  EXPECT_EQ(i16(796), 10);
  EXPECT_EQ(rec[at(800)], 1);
  EXPECT_EQ(rec[at(801)], 0);
  EXPECT_EQ(rec[at(802)], 1);
  int32_t tag;
  std::memcpy(&tag, &rec[at(803)], 4);
  EXPECT_EQ(tag, 0x12345678);
  EXPECT_EQ(rec[at(807)], 1);
  EXPECT_EQ(i16(808), 7);
  // The sized twin copies what fits and tells the record size.
  std::vector<uint8_t> part(10, 0xEE);
  EXPECT_EQ(DAGetObjectInfoEx(o, part.data(), 6), static_cast<int32_t>(at(810)));
  EXPECT_EQ(std::string(part.begin(), part.begin() + 6), "Parent");
  EXPECT_EQ(part[6], 0xEE);
  EXPECT_EQ(DAGetObjectInfoEx(nullptr, part.data(), 10), 0);
}
