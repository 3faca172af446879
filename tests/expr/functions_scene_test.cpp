// Scene functions against a real animator: objects, groups, containers, collisions, list and
// table kinds, images made and scaled by scripts, cursors, text measuring, and the error event
// of a failed file write. Numbers that are no live object or image give 0.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dib/dib24.h"
#include "dib/dib8.h"
#include "expr/formula.h"
#include "expr/functions.h"
#include "expr/handles.h"
#include "expr_test_host.h"
#include "player/objects/animate_obj.h"
#include "player/scene/dib_animator.h"

namespace zkw::test {
namespace {

// An object whose solid pixels (object-relative) are those with SolidFrom <= x <= SolidTo.
class TMaskObj : public TAnimateObj {
 public:
  int32_t SolidFrom = 0, SolidTo = 1000;
  bool IsSolidAt(int32_t X, int32_t Y) override {
    return X >= 0 && Y >= 0 && X < FWidth && Y < FHeight && X >= SolidFrom && X <= SolidTo;
  }
};

class TListObj : public TAnimateObj {
 public:
  bool ListItem(int32_t Index, std::string& Text, int32_t& Data) override {
    static const char* const kTexts[] = {"one", "two"};
    if (Index >= 0 && Index < 2) {
      Text = kTexts[Index];
      Data = (Index + 1) * 10;
    }
    return true;
  }
};

class TTableObj : public TAnimateObj {
 public:
  uint8_t TableData(int32_t Column, int32_t Row, std::string& Text, long double& Value) override {
    if (Column == 1 && Row == 2) return Text = "cell", vkString;
    Value = Column * 10 + Row + 0.5L;
    return vkNumber;
  }
};

// A group (kind 36): a list of its own objects.
class TGroupObj : public TAnimateObj {
 public:
  TGroupObj() { FStyle = kGroupKind; }
  TLinkList* ChildList() override { return &Children; }
  TLinkList Children;
};

// The expression host over a real scene.
class TSceneHost : public TExprHost {
 public:
  TDibAnimator Ani;
  TTestVariables Apps;
  TAnimateObj* GetObjectName(const std::string& Name) override { return Ani.GetObjectName(Name); }
  TAnimateObj* ObjectFromReference(int64_t Ref) override { return Find(&Ani, Ref); }
  TAnimateObj* CurrentObj() override { return Ani.CurrentObj; }
  uint8_t GetObjectValue(TAnimateObj* Obj, int32_t Code, long double& Value,
                         std::string& Text) override {
    return static_cast<uint8_t>(Obj->GetValue(Code, Value, Text));
  }
  void SetObjectValue(TAnimateObj*, int32_t, const std::string&, long double) override {}
  uint8_t GetFieldValue(TAnimateObj*, const std::string&, long double&, std::string&) override {
    return vkNone;
  }
  uint8_t GetSystemValue(int32_t, long double& Value, std::string&) override {
    return Value = 0, vkNumber;
  }
  TExprVariables* GlobalVarList() override { return nullptr; }
  TExprVariables* AppVarList() override { return &Apps; }
  TProcedureInfo* GetFunc(const std::string&) override { return nullptr; }
  uint8_t CallUserFunction(TProcedureInfo*, const TToken&, const TProccessInfo&, long double&,
                           std::string&) override {
    return vkNone;
  }
  TDibAnimator* SceneAnimator() override { return &Ani; }

 private:
  static TAnimateObj* Find(TLinkList* List, int64_t Ref) {
    for (TItemNode* n = List->Head(); n; n = n->NextItem) {
      auto* o = static_cast<TAnimateObj*>(n);
      if (static_cast<int64_t>(reinterpret_cast<uintptr_t>(o)) == Ref) return o;
      if (o->ChildList())
        if (TAnimateObj* c = Find(o->ChildList(), Ref)) return c;
    }
    return nullptr;
  }
};

struct TResult {
  uint8_t Kind;
  long double Value;
  std::string Text;
};

class FunctionScene : public ::testing::Test {
 protected:
  TSceneHost Host;
  TMaskObj *A = nullptr, *B = nullptr, *C = nullptr, *Box = nullptr;
  TListObj* List = nullptr;
  TTableObj* Table = nullptr;
  TGroupObj* Group = nullptr;
  TDib8Bits* Image = nullptr;

  template <class T>
  T* Add(TLinkList& To, const char* Name, int32_t X, int32_t Y, int16_t W, int16_t H) {
    auto* o = new T();
    o->FName = Name;
    o->Fx = X;
    o->Fy = Y;
    o->FWidth = W;
    o->FHeight = H;
    o->FParent = &Host.Ani;
    To.Append(o);
    return o;
  }

  void SetUp() override {
    Box = Add<TMaskObj>(Host.Ani, "Box", 0, 40, 40, 40);
    Box->FContainer = true;
    A = Add<TMaskObj>(Host.Ani, "A", 0, 0, 10, 10);
    A->SolidFrom = 8;  // solid columns 8 and 9
    B = Add<TMaskObj>(Host.Ani, "B", 5, 0, 10, 10);
    B->SolidTo = 2;    // solid columns 5, 6, 7
    C = Add<TMaskObj>(Host.Ani, "C", 10, 0, 5, 5);
    List = Add<TListObj>(Host.Ani, "List", 100, 100, 10, 10);
    Table = Add<TTableObj>(Host.Ani, "Table", 100, 100, 10, 10);
    Group = Add<TGroupObj>(Host.Ani, "Group", 200, 0, 50, 50);
    for (const char* name : {"G1", "G2"}) Add<TMaskObj>(Group->Children, name, 200, 0, 5, 5)->FGroup = Group;
    Image = new TDib8Bits();
    Image->SetAttributes(30, 20);
    ASSERT_EQ(Host.Ani.AddDib(Image), 0);
  }
  void TearDown() override { FreeAllHandles(); }

  TResult Eval(const std::string& source) {
    std::string text = source;
    auto formula = ParseFormula(text);
    formula->Prepare(&Host);
    TResult r{};
    r.Kind = EvaluateFormula(&Host, nullptr, nullptr, r.Text, r.Value, formula.get());
    return r;
  }
  long double Num(const std::string& source) { return Eval(source).Value; }
  static std::string H(const void* p) { return std::to_string(reinterpret_cast<uintptr_t>(p)); }
  static std::string H(long double v) { return std::to_string(static_cast<int64_t>(v)); }
};

TEST_F(FunctionScene, ObjectsByNameAndCount) {
  EXPECT_EQ(Num("GetObject(\"b\")"), static_cast<long double>(reinterpret_cast<uintptr_t>(B)));
  EXPECT_EQ(Num("GetObject(\"nobody\")"), 0);
  EXPECT_EQ(Eval("GetObject(5)").Kind, vkNone);
  EXPECT_EQ(Num("GetObjCount(0)"), 7);
  EXPECT_EQ(Num("GetObjCount(\"\")"), 7);
  EXPECT_EQ(Num("GetObjCount(\"Group\")"), 2);
  EXPECT_EQ(Num("GetObjCount(" + H(Group) + ")"), 2);
  EXPECT_EQ(Num("GetObjCount(" + H(A) + ")"), 0);    // no container
  EXPECT_EQ(Num("GetObjCount(\"nobody\")"), 0);
  EXPECT_EQ(Num("GetObjCount(12345)"), 0);            // no object at all
  EXPECT_EQ(Eval("GetObjCount()").Kind, vkNone);
  TAnimateObj* g2 = static_cast<TAnimateObj*>(Group->Children.Get(1));
  EXPECT_EQ(Num("GetObjectOf(0,1)"), static_cast<long double>(reinterpret_cast<uintptr_t>(Box)));
  EXPECT_EQ(Num("GetObjectOf(\"\",7)"), static_cast<long double>(reinterpret_cast<uintptr_t>(Group)));
  EXPECT_EQ(Num("GetObjectOf(\"group\",2)"), static_cast<long double>(reinterpret_cast<uintptr_t>(g2)));
  EXPECT_EQ(Num("GetObjectOf(\"group\",3)"), 0);
  EXPECT_EQ(Num("GetObjectOf(0,0)"), 0);
  EXPECT_EQ(Num("GetObjectOf(0,8)"), 0);
  EXPECT_EQ(Num("GetObjectOf(" + H(A) + ",1)"), 0);
  // A child found by GetObjectOf is a live object for the next function.
  EXPECT_EQ(Num("Intersect(GetObjectOf(\"group\",1),GetObjectOf(\"group\",2))"), 1);
}

TEST_F(FunctionScene, CollisionsAndIntersections) {
  const std::string a = H(A), b = H(B), c = H(C);
  EXPECT_EQ(Num("Intersect(" + a + "," + b + ")"), 1);
  EXPECT_EQ(Num("Collided(" + a + "," + b + ")"), 0);  // overlapping, but no common solid pixel
  B->Fx = 7;                                           // B solid at 7..9 now
  EXPECT_EQ(Num("Collided(" + a + "," + b + ")"), 1);
  EXPECT_EQ(Num("Collided(" + b + "," + a + ")"), 1);
  EXPECT_EQ(Num("Intersect(" + a + "," + c + ")"), 0);  // A ends at column 9, C starts at 10
  C->Fx = 9;
  C->Fy = 9;
  EXPECT_EQ(Num("Intersect(" + a + "," + c + ")"), 1);  // one shared pixel
  EXPECT_EQ(Num("Collided(" + a + "," + c + ")"), 1);
  EXPECT_EQ(Num("Collided(" + a + ",12345)"), 0);
  EXPECT_EQ(Num("Intersect(0," + a + ")"), 0);
  EXPECT_EQ(Eval("Collided(" + a + ")").Kind, vkNone);
  EXPECT_EQ(Eval("Intersect(" + a + ",\"B\")").Kind, vkNone);
}

TEST_F(FunctionScene, ContainerFocusItemsAndTables) {
  TMaskObj* drop = Add<TMaskObj>(Host.Ani, "Drop", 5, 45, 10, 10);  // over Box, above it
  EXPECT_EQ(Num("GetContainer(" + H(drop) + ")"), static_cast<long double>(reinterpret_cast<uintptr_t>(Box)));
  drop->Fx = 300;
  EXPECT_EQ(Num("GetContainer(" + H(drop) + ")"), 0);
  EXPECT_EQ(Num("GetContainer(12345)"), 0);
  EXPECT_EQ(Num("GetFocus()"), 0);
  Host.Ani.FFocused = B;
  EXPECT_EQ(Num("GetFocus()"), static_cast<long double>(reinterpret_cast<uintptr_t>(B)));

  const std::string l = H(List), t = H(Table);
  TResult item = Eval("Items(" + l + ",1)");
  EXPECT_EQ(item.Kind, vkString);
  EXPECT_EQ(item.Text, "two");
  EXPECT_EQ(Eval("Items(" + l + ",5)").Text, "");
  EXPECT_EQ(Num("ItemData(" + l + ",0)"), 10);
  EXPECT_EQ(Eval("Items(" + H(A) + ",0)").Kind, vkNone);  // no list
  EXPECT_EQ(Eval("ItemData(12345,0)").Kind, vkNone);
  EXPECT_EQ(Eval("Items(" + l + ")").Kind, vkNone);
  TResult cell = Eval("GetTableData(" + t + ",1,2)");
  EXPECT_EQ(cell.Kind, vkString);
  EXPECT_EQ(cell.Text, "cell");
  EXPECT_EQ(Num("GetTableData(" + t + ",3,4)"), 34.5);
  TResult none = Eval("GetTableData(" + H(A) + ",1,2)");
  EXPECT_EQ(none.Kind, vkNumber);
  EXPECT_EQ(none.Value, 0);
  EXPECT_EQ(Eval("GetTableData(" + t + ",1)").Kind, vkNone);
}

TEST_F(FunctionScene, ImagesScaledByScripts) {
  const std::string image = H(Image);
  EXPECT_EQ(Num("GetDibWidth(" + image + ")"), 30);
  EXPECT_EQ(Num("GetDibHeight(" + image + ")"), 20);
  EXPECT_EQ(Num("GetDibWidth(12345)"), 0);
  EXPECT_EQ(Num("GetDibWidth(0)"), 0);
  long double byId = Num("ScaleDibID(0,50,7)");
  ASSERT_NE(byId, 0);
  EXPECT_EQ(HandleCount(THandleKind::hkImage), 1);
  EXPECT_EQ(Num("GetDibWidth(" + H(byId) + ")"), 50);  // 167 % of 30 is 50.1
  EXPECT_EQ(Num("GetDibHeight(" + H(byId) + ")"), 7);  // 35 % of 20
  auto* made = FindHandle<TDibBaseObj>(THandleKind::hkImage, static_cast<int64_t>(byId));
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(made->Bits(), 3);
  long double direct = Num("ScaleDib(" + image + ",15,40)");
  EXPECT_EQ(Num("GetDibWidth(" + H(direct) + ")"), 15);
  EXPECT_EQ(Num("GetDibHeight(" + H(direct) + ")"), 40);
  // An object's image is an image of the scene too.
  A->FDib = Image;
  EXPECT_EQ(Num("GetDibHeight(" + H(A->FDib) + ")"), 20);
  EXPECT_EQ(Num("ScaleDibID(5,10,10)"), 0);     // no such entry
  EXPECT_EQ(Num("ScaleDib(0,10,10)"), 0);
  EXPECT_EQ(Num("ScaleDib(12345,10,10)"), 0);
  EXPECT_EQ(Num("ScaleDib(" + image + ",0,10)"), 0);
  EXPECT_EQ(Num("ScaleDib(" + image + ",100000,100000)"), 0);  // beyond the size limit
  EXPECT_EQ(Eval("ScaleDib(" + image + ",10)").Kind, vkNone);
  EXPECT_TRUE(FreeHandle(THandleKind::hkImage, static_cast<int64_t>(byId)));
  EXPECT_EQ(Num("GetDibWidth(" + H(byId) + ")"), 0);  // freed: no longer an image
  EXPECT_EQ(Num("GetDibWidth(" + H(direct) + ")"), 15);
}

TEST_F(FunctionScene, CursorsThroughTheBridge) {
  EXPECT_EQ(Num("CursorVisible()"), 1);  // nobody answers
  EXPECT_EQ(Num("CursorCount()"), 2);
  EXPECT_EQ(Num("AddCursor(0,1,1,0,0)"), -1);
  std::vector<int32_t> added, replaced;
  Host.Ani.FOnCRSAdd = [&](TDibAnimator*, int32_t Dib, int32_t F, int32_t S, int32_t X, int32_t Y) {
    added = {Dib, F, S, X, Y};
    return 7;
  };
  Host.Ani.FOnCRSReplace = [&](TDibAnimator*, int32_t ID, int32_t Dib, int32_t F, int32_t S,
                               int32_t X, int32_t Y) { replaced = {ID, Dib, F, S, X, Y}; };
  Host.Ani.FOnCRSVisible = [](TDibAnimator*) { return false; };
  Host.Ani.FOnCRSCount = [](TDibAnimator*) { return 5; };
  EXPECT_EQ(Num("AddCursor(0,2.6,3,4,\"x\")"), 7);
  EXPECT_EQ(added, (std::vector<int32_t>{0, 3, 3, 4, 0}));
  EXPECT_EQ(Num("AddCursor(3,1,1,0,0)"), -1);  // no image 3 in the scene
  EXPECT_EQ(Num("AddCursor(0,1,1,0)"), -1);
  EXPECT_EQ(Num("ReplaceCursor(4,0,1,2,3,4)"), 4);
  EXPECT_EQ(replaced, (std::vector<int32_t>{4, 0, 1, 2, 3, 4}));
  EXPECT_EQ(Num("ReplaceCursor(4,0,1,2,3)"), -1);
  EXPECT_EQ(Num("CursorVisible()"), 0);
  EXPECT_EQ(Num("CursorCount()"), 5);
}

TEST_F(FunctionScene, TextMeasuresAndTheFileWriteErrorEvent) {
  EXPECT_EQ(Num("TextWidth(0,\"abc\")"), Host.Ani.DATextWidth(nullptr, "abc"));
  EXPECT_EQ(Num("TextHeight(" + H(A) + ",\"abc\")"), Host.Ani.DATextHeight(A, "abc"));
  EXPECT_EQ(Eval("TextOut(0,1,2)").Kind, vkNone);
  EXPECT_EQ(Eval("TextWidth(0,5)").Kind, vkNone);
  EXPECT_EQ(Num("DibTextWidth(\"abc\")"), 0);  // no bitmap font
  EXPECT_EQ(Eval("DibTextWidth(5)").Kind, vkNone);

  std::vector<int32_t> errors;
  Host.Ani.FOnError = [&](TDibAnimator*, int32_t Code, const char*) { errors.push_back(Code); };
  const std::string path = "\"" + std::string(ZKW_TEST_TMP) + "/funcs_ro.bin\"";
  ASSERT_NE(Num("FileClose(FileCreate(" + path + "))"), 0);
  const std::string f = H(Num("FileOpen(" + path + ",0)"));
  EXPECT_EQ(Num("FileWrite(" + f + ",1,1)"), 0);
  EXPECT_EQ(Num("FileWriteText(" + f + ",\"ab\",2)"), 0);
  EXPECT_EQ(Num("FileWriteText(" + f + ",\"ab\",0)"), 1);  // nothing to write
  EXPECT_EQ(errors, (std::vector<int32_t>{3, 3}));
  EXPECT_EQ(std::string(Host.Ani.ErrorInfo.data()), "File write failed");
}

TEST(FunctionSceneWithoutScene, ObjectFunctionsGiveZero) {
  // A host that is no scene: its objects are no scene objects, nothing may touch them.
  TTestHost host;
  const std::string ball = std::to_string(reinterpret_cast<uintptr_t>(&host.Ball));
  for (const std::string& text : std::vector<std::string>{
        "Collided(" + ball + "," + ball + ")", "Intersect(" + ball + "," + ball + ")",
        "GetObjCount(0)", "GetObjectOf(0,1)", "GetFocus()", "GetContainer(" + ball + ")",
        "TextWidth(" + ball + ",\"a\")", "ScaleDibID(0,1,1)", "CursorCount()"}) {
    std::string t = text;
    auto formula = ParseFormula(t);
    formula->Prepare(&host);
    long double v = -1;
    std::string s;
    EXPECT_EQ(EvaluateFormula(&host, nullptr, nullptr, s, v, formula.get()), vkNumber) << text;
    EXPECT_EQ(v, 0) << text;
  }
  std::string t = "GetObject(\"ball\")";
  auto formula = ParseFormula(t);
  formula->Prepare(&host);
  long double v = 0;
  std::string s;
  EvaluateFormula(&host, nullptr, nullptr, s, v, formula.get());
  EXPECT_EQ(v, static_cast<long double>(reinterpret_cast<uintptr_t>(&host.Ball)));
}

}  // namespace
}  // namespace zkw::test
