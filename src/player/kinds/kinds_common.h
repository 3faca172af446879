// Helpers shared by the object kinds: raising a kind's own event, lazy images, script text. The
// text forms of kind records and the field descriptions are in player/objects/kind_fields.h.
#pragma once
#include <cstdint>
#include <string>

#include "player/objects/animate_obj.h"
#include "player/objects/kind_fields.h"
#include "player/objects/moving_obj.h"
#include "player/scene/record_io.h"

namespace zkw {

class TDibAnimator;
class TDibBaseObj;

// Sets the scene's event values and runs the object's macroOnUser with the event code.
void RaiseUserEvent(TAnimateObj* Obj, int32_t Code, intptr_t Value1, intptr_t Value2);

// The object's image, fetched from the scene when it is not present yet (null without one).
TDibBaseObj* FetchImage(TAnimateObj* Obj);

// Runs script text for the object as ExecuteCode does (event code 0).
void RunScriptText(TAnimateObj* Obj, const std::string& Text);

// Property number helpers.
inline int16_t PropI16(long double v) { return static_cast<int16_t>(RoundProp(v)); }

}  // namespace zkw
