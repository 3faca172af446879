// Scene objects, images, text and cursors for the built-in functions, and the checks that turn
// numbers from scripts back into objects and images only when they are live.
#pragma once
#include <cstdint>

namespace zkw {

class TDibAnimator;
class TDibBaseObj;
struct TProccessInfo;

// The image behind Number when it is live: an image made by a script function (handle
// registry) or one the scene holds (an image entry's loaded image, an object's image, the frame
// buffer); null otherwise. Ani may be null (then only script-made images are found).
TDibBaseObj* ImageFromReference(TDibAnimator* Ani, int64_t Number);

// The running scene of an evaluation context, or null (a host that is no scene).
TDibAnimator* SceneOf(const TProccessInfo& Info);

}  // namespace zkw
