// Seeds of the scene fuzz target that hold every kind of the object-kind family: one scene
// with a member of each kind (groups nested, items, regions, a hot-track image, path points).
#include <fstream>
#include <string>
#include <sys/stat.h>

#include "common/byte_stream.h"
#include "dib/dib_base.h"
#include "dib/dib_factory.h"
#include "player/kinds/button_obj.h"
#include "player/kinds/character_obj.h"
#include "player/kinds/data_table.h"
#include "player/kinds/dialog_obj.h"
#include "player/kinds/font_obj.h"
#include "player/kinds/group_obj.h"
#include "player/kinds/hotrack_obj.h"
#include "player/kinds/label_obj.h"
#include "player/kinds/list_obj.h"
#include "player/kinds/movie_ex_obj.h"
#include "player/kinds/movie_obj.h"
#include "player/kinds/particle_obj.h"
#include "player/kinds/path_mover.h"
#include "player/kinds/run_kinds.h"
#include "player/kinds/scrollbar_obj.h"
#include "player/kinds/effect_kinds.h"
#include "player/kinds/simple_kinds.h"
#include "player/kinds/stars_obj.h"
#include "player/kinds/text_obj.h"
#include "player/kinds/wave_kinds.h"
#include "player/scene/dib_animator.h"

namespace {

template <class T>
T* Add(zkw::TDibAnimator& ani, const char* name, int16_t id) {
  auto* o = new T();
  o->FParent = &ani;
  o->FName = name;
  o->FID = id;
  o->FDib = id >= 0 ? ani.GetDib(id) : nullptr;
  ani.Append(o);
  return o;
}

}  // namespace

void WriteKindSeeds(const std::string& outDir) {
  zkw::TDibAnimator ani;
  ani.SetDibAttr(320, 200);
  ani.FViewWidth = 32;
  ani.FViewHeight = 24;
  zkw::TDibBaseObj* strip = zkw::CreateDibObject(8);
  strip->SetAttributes(6, 2);
  strip->PutPixel(3, 1, 7);
  int16_t id = static_cast<int16_t>(ani.AddDib(strip));
  auto* movie = Add<zkw::TDibMovieObj>(ani, "Movie", id);
  movie->FMaxCount = 3;
  movie->FLoopCount = 2;
  auto* button = Add<zkw::TDibButton>(ani, "Button", id);
  button->FFrames = 3;
  button->FGroupID = 2;
  auto* movieEx = Add<zkw::TDibMovieExObj>(ani, "MovieEx", id);
  movieEx->FItems = {{1, 2, 3, 4}, {2, 1, -5, 6}};
  Add<zkw::TMoveButton>(ani, "MoveButton", id)->FSyncObjID = 0;
  Add<zkw::TMarkerObj>(ani, "Marker", -1)->FIdentifier = 3;
  Add<zkw::TDibLabelObj>(ani, "Label", -1)->FTextID = "Label &#7855;";
  Add<zkw::TDibTextObj>(ani, "Text", -1)->FFontName = "Arial";
  Add<zkw::TParticleObj>(ani, "Particles", -1)->FObjNames = {"Movie", "Button"};
  auto* bar = Add<zkw::TDibScrollbarObj>(ani, "Bar", -1);
  bar->FUpButtonID = bar->FDownButtonID = id;
  bar->FAffectObject = "List";
  auto* hot = Add<zkw::TDibHotrackObj>(ani, "Hot", -1);
  zkw::TDibBaseObj* image = zkw::CreateDibObject(24);
  image->SetAttributes(4, 4);
  hot->SetImage(image);
  hot->FItems = {{{0, 0, 2, 2}, "a", true}, {{2, 2, 4, 4}, "b", true}};
  Add<zkw::TDialogObj>(ani, "Dialog", -1)->FActions = {{0, "start", "end"}};
  auto* group = Add<zkw::TAniGroupObj>(ani, "Group", -1);
  auto* inner = Add<zkw::TAniGroupObj>(ani, "Inner", -1);
  group->AddToGroup(inner);
  inner->AddToGroup(Add<zkw::TAniTimerObj>(ani, "Timer", -1));
  auto* list = Add<zkw::TAniListObj>(ani, "List", -1);
  list->FScrollbarName = "Bar";
  Add<zkw::TDibFontObj>(ani, "Font", -1)->FFilename = "font.dfu";
  auto* path = Add<zkw::TPathMover>(ani, "Path", -1);
  path->FObjects = {{"Marker", 0, 1, 1, 1}};
  path->FMaximum = 2;
  path->FPath[1] = {5, 6};
  Add<zkw::TDataTable>(ani, "Table", -1)->SetTable("\\1=0:A\\2=1:B\r\n\\1=4\\2=x");
  Add<zkw::TAniExternalObj>(ani, "External", -1)->FIdentifier = 8;
  // Waving, scrolling, perspective, starfield and shearing kinds.
  Add<zkw::TDibDistortY>(ani, "DistortY", id)->FTheLine[1] = 2;
  Add<zkw::TDibDistortX>(ani, "DistortX", id)->FMaxLine = 3;
  Add<zkw::TDibRunHorz>(ani, "RunHorz", id)->FStep = 2;
  Add<zkw::TDibRunVert>(ani, "RunVert", id);
  Add<zkw::TPerspectYObj>(ani, "PerspectY", id)->FLines[zkw::kLineOffsetCount] = 2;
  Add<zkw::TRunPersYObj>(ani, "RunPersY", id)->FStep = -1;
  Add<zkw::TPerspectXObj>(ani, "PerspectX", id)->FReturn = false;
  Add<zkw::TRunPersXObj>(ani, "RunPersX", id);
  Add<zkw::TStarsObj>(ani, "Stars", -1)->FNumStar = 5;
  Add<zkw::TDibSkew>(ani, "Skew", id)->FCenterPos = 1;
  zkw::TMemoryStream out;
  ani.SaveToStream(&out);
  std::string dir = outDir + "/scene_fuzz";
  ::mkdir(dir.c_str(), 0755);
  std::ofstream(dir + "/kinds.dan", std::ios::binary)
      .write(reinterpret_cast<const char*>(out.Bytes().data()), static_cast<std::streamsize>(out.Bytes().size()));

  // A character (the target writes hero.chr into the scene's character folder) above a floor,
  // with idling, walking, guides, gravity and hot regions.
  zkw::TDibAnimator walk;
  walk.SetDibAttr(64, 48);
  walk.FViewWidth = 64;
  walk.FViewHeight = 48;
  auto* floor = Add<zkw::TDibDrawObj>(walk, "Floor", -1);
  floor->FCollide = true;
  floor->Fy = 30;
  floor->FWidth = 64;
  floor->FHeight = 4;
  auto* hero = Add<zkw::TCharacterObj>(walk, "Hero", -1);
  hero->FPath = "hero.chr";
  hero->FCollide = true;
  hero->FGravity = 2;
  hero->FEnableIdle = hero->FEnableGoing = hero->FEnableGuide = hero->FEnableRegion = true;
  hero->FIdleList = {"Wave", "Loop"};
  hero->FIdleInterval = 1;
  hero->FRightBound = 40;
  hero->FGuides = "0,1";
  hero->FGuideInterval = 2;
  hero->FHotRegions = {{{0, 0, 3, 3}, "Hide Floor"}};
  zkw::TMemoryStream walkOut;
  walk.SaveToStream(&walkOut);
  std::ofstream(dir + "/character.dan", std::ios::binary)
      .write(reinterpret_cast<const char*>(walkOut.Bytes().data()), static_cast<std::streamsize>(walkOut.Bytes().size()));
}
