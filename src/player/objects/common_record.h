// The common record of every scene object, described once: reading (the current layout and the
// old short layout), writing, copying and the base's plain properties come from it.
#pragma once
#include "player/objects/animate_obj.h"
#include "player/objects/kind_fields.h"

namespace zkw {

// The common record of every object after its scripts, in record order, with the base's plain
// properties. The old short layout (versions 0x10000, 0x20000) holds the position, the piece,
// the flips, the opacity and the drawing style only.
struct TCommonRecord {
  template <class V>
  static void Fields(V& v) {
    using namespace fields;
    using Self = TAnimateObj;
    v.ListOrder({200, 121, 135, 134, 1, 2, 3, 4, 199, 5, 6, 119, 120, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 82, 100,
                 132, 157, 158, 116, 117, 118, 177, 183, 101, 198, 203});
    v(&Self::FName, ShortString("ObjName").NotOld().Prop(135).NotCopied());
    v(&Self::FTextID, ShortString("Info").NotOld().Prop(1));
    v(&Self::FParentName, ShortString("ParentObjName").NotOld().Prop(134).ReadOnly().NotCopied());
    v(&Self::Fx, Coord("XPos").Prop(119).Alias(5).Wide());
    v(&Self::Fy, Coord("YPos").Prop(120).Alias(6).Wide());
    v(&Self::FOriginX, I16("OriginX").Prop(10).Wide());
    v(&Self::FOriginY, I16("OriginY").Prop(11).Wide());
    v(&Self::FWidth, I16("Width").Prop(7).Wide());
    v(&Self::FHeight, I16("Height").Prop(8).Wide());
    v(&Self::FFlipX, I16("FlipX").Prop(12).Wide());
    v(&Self::FFlipY, I16("FlipY").Prop(13).Wide());
    v(&Self::FTrans, I16("Transparent").Prop(14).ReadOnly());
    v(&Self::FDibStyle, U8("DibStyle"));
    v(&Self::FEnabled, Bool("Visible").NotOld().Prop(9).ReadOnly().NotCopied());
    v(&Self::FLevel, I16("Level").NotOld().Prop(2).Wide());
    v(&Self::FCollide, Bool("Collision").NotOld().Prop(3));
    v(&Self::FActive, Bool("Active").NotOld().Prop(4).ReadOnly());
    v(&Self::FFloatWhenClick, Bool("FloatWhenClick").NotOld().Prop(15));
    v(&Self::FSensitive, Bool("Sensitive").NotOld().Prop(16));
    v(&Self::FLocked, Bool("Locked").NotOld());
    v(&Self::FContainer, Bool("Container").NotOld().Prop(132));
    v(&Self::FTag, I32("Tag").NotOld().Prop(82).Wide());
    v(&Self::FHotCursor, I16("HotCursor").NotOld().Prop(199).Wide());
    v(&Self::FStyle, Kept("Style").Prop(200).ReadOnly());
    v(&Self::FID, Kept("DibID").Prop(121).ReadOnly());
    v(&Self::FDib, Kept("DibObject"));
    v(&Self::FParent, Kept("Parent"));
    v(&Self::FLeftDown, Kept("MousePressed").Prop(100).ReadOnly().NotCopied());
    v(&Self::FMouseIn, Kept("MouseIn").Prop(101).ReadOnly().NotCopied());
    v(&Self::FStore1, Kept("Store1").Prop(157).NotCopied());
    v(&Self::FStore2, Kept("Store2").Prop(158).NotCopied());
    v(&Self::EnableClickEvent, Kept("EnableClickEvent").Prop(116).WriteOnly());
    v(&Self::EnableCollideEvent, Kept("EnableCollideEvent").Prop(117).WriteOnly());
    v(&Self::EnableEndEvent, Kept("EnableEndEvent").Prop(118).WriteOnly());
    v(&Self::FSounding, Kept("Sounding").Prop(177).ReadOnly().NotCopied());
    v.Hand(183);
    v(&Self::FShowHotrack, Kept("ShowHottrack").Prop(198).NotCopied());
    v(&Self::FHottrackColor, Kept("HottrackColor").Prop(203).Wide().NotCopied());
    v(&Self::macroUserName, Kept("UserEventName"));
  }
};

}  // namespace zkw
