#include "player/kinds/kinds.h"

#include "player/kinds/button_obj.h"
#include "player/kinds/character_obj.h"
#include "player/kinds/data_table.h"
#include "player/kinds/dialog_obj.h"
#include "player/kinds/effect_kinds.h"
#include "player/kinds/font_obj.h"
#include "player/kinds/group_obj.h"
#include "player/kinds/hotrack_obj.h"
#include "player/kinds/label_obj.h"
#include "player/kinds/list_obj.h"
#include "player/kinds/movie_ex_obj.h"
#include "player/kinds/movie_obj.h"
#include "player/kinds/odf_kind.h"
#include "player/kinds/particle_obj.h"
#include "player/kinds/path_mover.h"
#include "player/kinds/run_kinds.h"
#include "player/kinds/scrollbar_obj.h"
#include "player/kinds/simple_kinds.h"
#include "player/kinds/stars_obj.h"
#include "player/kinds/text_obj.h"
#include "player/kinds/transform_kinds.h"
#include "player/kinds/wave_kinds.h"

namespace zkw {

namespace {
template <class T>
TAnimateObj* Make() {
  return new T();
}
}  // namespace

void RegisterSceneKinds(std::array<TObjectFactory, 256>& table) {
  table[0] = Make<TBackgroundObj>;
  table[1] = Make<TDibDrawObj>;
  table[2] = Make<TDibFloatObj>;
  table[3] = Make<TDibFloatShadow>;
  table[6] = Make<TDibDistortY>;
  table[7] = Make<TDibDistortX>;
  table[8] = Make<TDibRotate>;
  table[9] = Make<TScaleRotate>;
  table[10] = Make<TDibRunHorz>;
  table[11] = Make<TDibRunVert>;
  table[12] = Make<TDibMovieObj>;
  table[13] = Make<TDibScaleObj>;
  table[14] = Make<TFloatLimitObj>;
  table[15] = Make<TPerspectYObj>;
  table[16] = Make<TRunPersYObj>;
  table[17] = Make<TPerspectXObj>;
  table[18] = Make<TRunPersXObj>;
  table[19] = Make<TBrightObj>;
  table[20] = Make<TRunScaleObj>;
  table[21] = Make<TMergeObj>;
  table[22] = Make<TStarsObj>;
  table[23] = Make<TAniPaletteObj>;
  table[24] = Make<TAniSquaresObj>;
  table[25] = Make<TDibButton>;
  table[26] = Make<TDibMovieExObj>;
  table[27] = Make<TMoveButton>;
  table[28] = Make<TMarkerObj>;
  table[29] = Make<TCharacterObj>;
  table[30] = Make<TDibLabelObj>;
  table[31] = Make<TDibTextObj>;
  table[32] = Make<TParticleObj>;
  table[33] = Make<TDibScrollbarObj>;
  table[34] = Make<TDibHotrackObj>;
  table[35] = Make<TDialogObj>;
  table[36] = Make<TAniGroupObj>;
  table[37] = Make<TAniTimerObj>;
  table[38] = Make<TAniODFObj>;
  table[39] = Make<TAniListObj>;
  table[40] = Make<TDibFontObj>;
  table[41] = Make<TDibSkew>;
  table[42] = Make<TPathMover>;
  table[43] = Make<TDataTable>;
  table[255] = Make<TAniExternalObj>;
}

}  // namespace zkw
