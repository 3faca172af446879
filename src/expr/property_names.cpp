// The table of property words and its look-up.
#include "expr/property_names.h"

#include "expr/names.h"

namespace zkw {

namespace {
const char* const kPropertyNames[kPropertyCount] = {
    "Info", "Level", "Collision", "Active", "XPos", "YPos", "Width", "Height", "Visible",
    "OriginX", "OriginY", "FlipX", "FlipY", "Opacity", "CanFloat", "Sensitive", "FromX", "FromY",
    "DX", "DY", "RegionLeft", "RegionTop", "RegionRight", "RegionBottom", "Flip", "EnableFlipX",
    "EnableFlipY", "Return", "Random", "Speed", "AngleIncrease", "LineIncreasement", "MaxPoint",
    "DAngle", "OriginScaleX", "OriginScaleY", "MaxScaleX", "MaxScaleY", "DScaleX", "DScaleY",
    "ToX", "ToY", "MaxFrames", "PlayFrom", "PlayTo", "Increasement", "MoveReturn", "LoopCount",
    "AutoDie", "ScaleFrom", "ScaleTo", "Scale", "Rebirth", "MinIndex", "MaxIndex", "CurrentIndex",
    "MinScale", "MaxScale", "CurrentScale", "Reverse", "MinMerge", "MaxMerge", "Frames",
    "UpDownStyle", "Downed", "GroupID", "NormalStart", "NormalEnd", "HotStart", "HotEnd",
    "PressedStart", "PressedEnd", "Recycled", "SyncWith", "SyncNormal", "SyncHot", "SyncPressed",
    "@Value1", "@Value2", "@Value3", "@EventValue1", "Tag", "Pose", "Boundary", "@Object",
    "ForcePlay", "PoseIndex", "Fast", "@EventValue2", "Maximum", "Interval", "FontName", "Bold",
    "Italic", "Underline", "Size", "Value", "UseDibFont", "UseValue", "MousePressed", "MouseIn",
    "Position", "Max", "EnableIdle", "EnableGoing", "EnableGuide", "IdleInterval",
    "GuideInterval", "LeftBound", "RightBound", "RepeatTime", "Speaking", "Equal", "Char", "Data",
    "EnableClickEvent", "EnableCollideEvent", "EnableEndEvent", "FX", "FY", "DibID", "Clickable",
    "Identifier", "Event", "Angle", "@Hour", "@Minute", "@Second", "@Milisecond", "Frame", "Text",
    "Container", "HotData", "Parent", "Name", "Color", "FontColor", "OutlineColor", "ShadowColor",
    "BorderColor", "BorderSize", "Alignment", "OneChar", "UpperCase", "CaseSensitive",
    "IgnoreSigns", "English", "@EventString", "@ODFField", "Recno", "Reccount", "ODFPath",
    "Filename", "IndexPath", "IndexFilename", "@DataPath", "Store1", "Store2", "@PositionX",
    "@PositionY", "OnGround", "@CharPath", "@ScenePath", "NewItem", "ItemIndex", "@CurrentX",
    "@CurrentY", "ItemData", "Count", "TextWidth", "TextHeight", "EnableRegion", "EnableEnterKey",
    "ReadOnly", "ShowHighlight", "Pausing", "Sounding", "@Result", "Shadow", "Outline", "Path",
    "@ThisIsSubScene", "IsInView", "Repeat", "Deleted", "@ViewWidth", "@ViewHeight",
    "@EnableSizeX", "@EnableSizeY", "AddPose", "RelativePos", "CenterPos", "Turbulence", "Min",
    "Row", "Column", "Fill", "ShowHottrack", "HotCursor", "Style", "ShowCurrent", "SelData",
    "HottrackColor", "ValidChars", "NumberInput", "DecimalSepChar", "BlinkColor", "Gravity",
    "TopIndex",
};
}  // namespace

// Linear search; names are bound once per formula, never per evaluation.
int32_t PropertyCode(std::string_view Name) {
  for (int32_t i = 0; i < kPropertyCount; ++i)
    if (SameName(Name, kPropertyNames[i])) return i + 1;
  return 0;
}

// Name of a code, or null outside 1..209.
const char* PropertyName(int32_t Code) {
  return Code >= 1 && Code <= kPropertyCount ? kPropertyNames[Code - 1] : nullptr;
}

}  // namespace zkw
