// JSON scene sources: building a scene from one and describing a scene as one.
#include "scene_source.h"

#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>

#include "common/byte_stream.h"
#include "base/last_error.h"
#include "base/text16.h"
#include "dib/dib24.h"
#include "dib/dib8.h"
#include "dib/dib_factory.h"
#include "expr/property_names.h"
#include "imagefiles/dex.h"
#include "platform/plat.h"
#include "player/objects/animate_obj.h"
#include "player/objects/kind_registry.h"
#include "player/scene/dib_animator.h"
#include "player/scene/record_io.h"
#include "player/scene/scene_entries.h"
#include "player/scene/script_source.h"
#include "png_io.h"
#include "text/scene_text.h"

using nlohmann::json;

namespace zkwtool {

// --- base64 ---------------------------------------------------------------------------------------

namespace {
const char kB64[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
}

std::string Base64Encode(const std::string& bytes) {
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  size_t i = 0;
  for (; i + 2 < bytes.size(); i += 3) {
    uint32_t v = static_cast<uint8_t>(bytes[i]) << 16 | static_cast<uint8_t>(bytes[i + 1]) << 8 |
                 static_cast<uint8_t>(bytes[i + 2]);
    for (int s = 18; s >= 0; s -= 6) out += kB64[(v >> s) & 63];
  }
  if (i < bytes.size()) {
    uint32_t v = static_cast<uint8_t>(bytes[i]) << 16;
    if (i + 1 < bytes.size()) v |= static_cast<uint8_t>(bytes[i + 1]) << 8;
    out += kB64[(v >> 18) & 63];
    out += kB64[(v >> 12) & 63];
    out += i + 1 < bytes.size() ? kB64[(v >> 6) & 63] : '=';
    out += '=';
  }
  return out;
}

bool Base64Decode(const std::string& text, std::string& bytes) {
  bytes.clear();
  uint32_t acc = 0;
  int bits = 0;
  for (char c : text) {
    if (c == '=' || c == '\n' || c == '\r' || c == ' ') continue;
    const char* p = std::strchr(kB64, c);
    if (!p || !*p) return false;
    acc = acc << 6 | static_cast<uint32_t>(p - kB64);
    bits += 6;
    if (bits >= 8) {
      bits -= 8;
      bytes += static_cast<char>((acc >> bits) & 0xFF);
    }
  }
  return true;
}

namespace {

using zkw::TAnimateObj;
using zkw::TDibAnimator;
using zkw::TDibBaseObj;

// --- names ----------------------------------------------------------------------------------------

const std::map<int, std::string>& KindNames() {
  static const std::map<int, std::string> names = {
      {0, "background"},   {1, "image"},       {2, "float"},        {3, "floatshadow"},
      {6, "distorty"},     {7, "distortx"},    {8, "rotate"},       {9, "scalerotate"},
      {10, "runhorz"},     {11, "runvert"},    {12, "movie"},       {13, "scale"},
      {14, "floatlimit"},  {15, "perspecty"},  {16, "runpersy"},    {17, "perspectx"},
      {18, "runpersx"},    {19, "brightness"}, {20, "runscale"},    {21, "merge"},
      {22, "stars"},       {23, "palette"},    {24, "squares"},     {25, "button"},
      {26, "movieex"},     {27, "movebutton"}, {28, "marker"},      {29, "character"}, {30, "label"},
      {31, "text"},        {32, "particle"},   {33, "scrollbar"},   {34, "hotrack"},
      {35, "dialog"},      {36, "group"},      {37, "timer"},       {38, "database"},    {39, "list"},
      {40, "dibfont"},     {41, "skew"},       {42, "pathmover"},   {43, "datatable"},
      {255, "external"}};
  return names;
}

const std::map<int, std::string>& ObjectEventNames() {
  static const std::map<int, std::string> names = {
      {1, "click"},      {2, "move"},       {3, "end"},          {4, "mousedown"},
      {5, "mouseup"},    {6, "collide"},    {7, "action"},       {8, "drop"},
      {9, "soundend"},   {10, "user"},      {11, "proc"},        {12, "show"},
      {13, "hide"},      {14, "draw"},      {19, "mouseover"},   {20, "mouseleave"},
      {21, "mousewheel"}, {23, "beforedraw"}, {24, "dblclick"}};
  return names;
}

const std::map<int, std::string>& SceneEventNames() {
  static const std::map<int, std::string> names = [] {
    std::map<int, std::string> m = {{30, "proc"},      {31, "scroll"},    {32, "init"},
                                    {33, "fadeout"},   {34, "app"},       {35, "mousedown"},
                                    {36, "mousemove"}, {37, "mouseup"},   {38, "close"},
                                    {39, "resize"}};
    const char* keys[10] = {"left", "right", "up", "down", "space", "return", "escape", "control", "shift", "alt"};
    for (int i = 0; i < 10; ++i) {
      m[1 + i] = std::string("keydown.") + keys[i];
      m[11 + i] = std::string("keyup.") + keys[i];
    }
    return m;
  }();
  return names;
}

int CodeOf(const std::map<int, std::string>& names, const json& value, const std::string& what,
           std::string& error) {
  if (value.is_number_integer()) return value.get<int>();
  if (value.is_string()) {
    for (const auto& [code, name] : names)
      if (name == value.get<std::string>()) return code;
  }
  error = "unknown " + what + " " + value.dump();
  return -1;
}

// Colours are written "#RRGGBB" and held as the library does (red in the low byte).
bool ParseColour(const json& value, uint32_t& colour) {
  if (value.is_number_unsigned() || value.is_number_integer()) {
    colour = value.get<uint32_t>();
    return true;
  }
  if (!value.is_string()) return false;
  std::string s = value.get<std::string>();
  if (s.size() != 7 || s[0] != '#') return false;
  char* end = nullptr;
  unsigned long rgb = std::strtoul(s.c_str() + 1, &end, 16);
  if (*end) return false;
  colour = static_cast<uint32_t>((rgb >> 16 & 0xFF) | (rgb & 0xFF00) | (rgb & 0xFF) << 16);
  return true;
}

bool ReadFileBytes(const std::string& path, std::string& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

std::string PathIn(const std::string& base, const std::string& name) {
  if (name.empty() || name[0] == '/' || base.empty()) return name;
  return base + "/" + name;
}

bool Size2(const json& item, const char* key, int32_t& w, int32_t& h) {
  if (!item.contains(key) || !item[key].is_array() || item[key].size() != 2) return false;
  w = item[key][0].get<int32_t>();
  h = item[key][1].get<int32_t>();
  return w > 0 && h > 0 && w <= 8192 && h <= 8192;
}

// --- images ---------------------------------------------------------------------------------------

TDibBaseObj* ImageFromRgba(const TRgbaImage& png) {
  auto* dib = zkw::CreateDibObject(24);
  dib->SetAttributes(png.Width, png.Height);
  bool alpha = false;
  for (size_t i = 3; i < png.Pixels.size(); i += 4) alpha |= png.Pixels[i] != 255;
  if (alpha) dib->CreateAlphaChannel();
  for (int32_t y = 0; y < png.Height; ++y)
    for (int32_t x = 0; x < png.Width; ++x) {
      const uint8_t* p = &png.Pixels[(static_cast<size_t>(y) * png.Width + x) * 4];
      dib->PutPixel(x, y, static_cast<uint32_t>(p[0] | p[1] << 8 | p[2] << 16));
      if (alpha) dib->AlphaDib->PutPixel(x, y, p[3]);
    }
  return dib;
}

TDibBaseObj* MakeImage(const json& item, const std::string& base, std::string& error) {
  int32_t w = 0, h = 0;
  uint32_t colour = 0, colour2 = 0;
  if (item.contains("dex")) {
    std::string bytes;
    if (!Base64Decode(item["dex"].get<std::string>(), bytes)) {
      error = "image \"dex\" is not base64";
      return nullptr;
    }
    TDibBaseObj* dib = zkw::DibFromDexBytes(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    if (!dib) error = "image \"dex\" is no DEX record: " + zkw::LastErrorText();
    return dib;
  }
  if (item.contains("file")) {
    std::string path = PathIn(base, item["file"].get<std::string>());
    if (path.size() > 4 && (path.compare(path.size() - 4, 4, ".png") == 0 || path.compare(path.size() - 4, 4, ".PNG") == 0)) {
      TRgbaImage png;
      if (!ReadPng(path, png, error)) return nullptr;
      return ImageFromRgba(png);
    }
    TDibBaseObj* dib = zkw::CreateDibFromFile(zkw::FromUtf8(path).c_str());
    if (!dib) error = "cannot read image \"" + path + "\": " + zkw::LastErrorText();
    return dib;
  }
  if (item.contains("solid") && ParseColour(item["solid"], colour) && Size2(item, "size", w, h)) {
    auto* dib = zkw::CreateDibObject(24);
    dib->SetAttributes(w, h);
    dib->Bar(0, 0, w - 1, h - 1, colour);
    return dib;
  }
  if (item.contains("gradient") && item["gradient"].is_array() && item["gradient"].size() == 2 &&
      ParseColour(item["gradient"][0], colour) && ParseColour(item["gradient"][1], colour2) &&
      Size2(item, "size", w, h)) {
    auto* dib = zkw::CreateDibObject(24);
    dib->SetAttributes(w, h);
    for (int32_t y = 0; y < h; ++y) {
      uint32_t c = 0;
      for (int shift = 0; shift < 24; shift += 8) {
        int32_t a = (colour >> shift) & 0xFF, b = (colour2 >> shift) & 0xFF;
        int32_t v = h > 1 ? a + (b - a) * y / (h - 1) : a;
        c |= static_cast<uint32_t>(v) << shift;
      }
      dib->Bar(0, y, w - 1, y, c);
    }
    return dib;
  }
  if (item.contains("strip") && item["strip"].is_array() && !item["strip"].empty() &&
      item["strip"].size() <= 64 && Size2(item, "size", w, h) &&
      w * static_cast<int32_t>(item["strip"].size()) <= 8192) {
    // Frames side by side, each a face in its colour inside a darker two-pixel border.
    int32_t frames = static_cast<int32_t>(item["strip"].size());
    auto* dib = zkw::CreateDibObject(24);
    dib->SetAttributes(w * frames, h);
    for (int32_t f = 0; f < frames; ++f) {
      if (!ParseColour(item["strip"][static_cast<size_t>(f)], colour)) break;
      uint32_t border = (colour >> 1) & 0x7F7F7F;
      dib->Bar(f * w, 0, f * w + w - 1, h - 1, border);
      if (w > 4 && h > 4) dib->Bar(f * w + 2, 2, f * w + w - 3, h - 3, colour);
    }
    return dib;
  }
  if (item.contains("disc") && ParseColour(item["disc"], colour) && item.contains("radius")) {
    int32_t r = item["radius"].get<int32_t>();
    if (r < 1 || r > 2048) {
      error = "disc radius must be 1 to 2048";
      return nullptr;
    }
    uint32_t rim = colour;
    if (item.contains("rim")) ParseColour(item["rim"], rim);
    auto* dib = zkw::CreateDibObject(24);
    dib->SetAttributes(2 * r, 2 * r);
    dib->CreateAlphaChannel();
    for (int32_t y = 0; y < 2 * r; ++y)
      for (int32_t x = 0; x < 2 * r; ++x) {
        double d = std::hypot(x + 0.5 - r, y + 0.5 - r);
        double cover = std::min(1.0, std::max(0.0, r - d));
        dib->PutPixel(x, y, d > r - 3 ? rim : colour);
        dib->AlphaDib->PutPixel(x, y, static_cast<uint32_t>(std::lround(cover * 255)));
      }
    return dib;
  }
  error = "an image needs \"file\", \"dex\", \"solid\", \"gradient\" or \"strip\" with \"size\", or \"disc\" with \"radius\": " + item.dump();
  return nullptr;
}

std::string ImageAsDex(TDibBaseObj* dib) {
  zkw::TMemoryStream out;
  zkw::SaveDibExToStream(&out, reinterpret_cast<plat::HGLOBAL>(dib->Handle()),
                          reinterpret_cast<plat::HGLOBAL>(dib->GetAlphaHandle()));
  const auto& b = out.Bytes();
  return std::string(b.begin(), b.end());
}

// --- sounds ---------------------------------------------------------------------------------------

std::string ToneWave(int32_t hz, int32_t ms) {
  const int32_t rate = 22050;
  int32_t samples = rate * ms / 1000;
  std::string data;
  for (int32_t i = 0; i < samples; ++i) {
    double t = static_cast<double>(i) / rate;
    double fade = std::min(1.0, std::min(i, samples - i) / (rate * 0.005));
    auto v = static_cast<int16_t>(std::lround(std::sin(2 * M_PI * hz * t) * 12000 * fade));
    data += static_cast<char>(v & 0xFF);
    data += static_cast<char>((v >> 8) & 0xFF);
  }
  auto le = [](uint32_t v, int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
    return s;
  };
  std::string fmt = le(1, 2) + le(1, 2) + le(rate, 4) + le(rate * 2, 4) + le(2, 2) + le(16, 2);
  std::string body = "WAVEfmt " + le(16, 4) + fmt + "data" + le(static_cast<uint32_t>(data.size()), 4) + data;
  return "RIFF" + le(static_cast<uint32_t>(body.size()), 4) + body;
}

plat::HGLOBAL BlockOf(const std::string& bytes) {
  plat::HGLOBAL block = plat::GlobalAlloc(plat::GHND, bytes.size());
  if (!block) return nullptr;
  void* p = plat::GlobalLock(block);
  std::memcpy(p, bytes.data(), bytes.size());
  plat::GlobalUnlock(block);
  return block;
}

// --- objects --------------------------------------------------------------------------------------

// The bytes an object writes after the common record: its kind's own data.
std::string KindData(const TAnimateObj& obj) {
  zkw::TMemoryStream own;
  zkw::TRecordWriter w(&own);
  obj.WriteKindRecord(w);
  return std::string(own.Bytes().begin(), own.Bytes().end());
}

template <class T>
void Take(const json& item, const char* key, T& field) {
  if (item.contains(key)) field = item[key].get<T>();
}

bool BuildObject(const json& item, TDibAnimator& ani, std::string& error) {
  if (!item.contains("kind")) {
    error = "an object needs a \"kind\": " + item.dump();
    return false;
  }
  int kind = CodeOf(KindNames(), item["kind"], "object kind", error);
  if (kind < 0) return false;
  std::unique_ptr<TAnimateObj> obj(zkw::CreateObjectOfKind(static_cast<uint8_t>(kind)));
  if (!obj) {
    error = "object kind " + std::to_string(kind) + " is not available";
    return false;
  }
  obj->FParent = &ani;
  Take(item, "name", obj->FName);
  if (item.contains("info")) obj->FTextID = zkw::EncodeSceneText(zkw::FromUtf8(item["info"].get<std::string>()));
  Take(item, "parent", obj->FParentName);
  Take(item, "x", obj->Fx);
  Take(item, "y", obj->Fy);
  Take(item, "originX", obj->FOriginX);
  Take(item, "originY", obj->FOriginY);
  Take(item, "width", obj->FWidth);
  Take(item, "height", obj->FHeight);
  Take(item, "flipX", obj->FFlipX);
  Take(item, "flipY", obj->FFlipY);
  Take(item, "opacity", obj->FTrans);
  Take(item, "drawStyle", obj->FDibStyle);
  Take(item, "visible", obj->FEnabled);
  Take(item, "level", obj->FLevel);
  Take(item, "collision", obj->FCollide);
  Take(item, "active", obj->FActive);
  Take(item, "draggable", obj->FFloatWhenClick);
  Take(item, "sensitive", obj->FSensitive);
  Take(item, "locked", obj->FLocked);
  Take(item, "container", obj->FContainer);
  Take(item, "tag", obj->FTag);
  Take(item, "hotCursor", obj->FHotCursor);
  int32_t image = -1;
  Take(item, "image", image);
  if (item.contains("scripts")) {
    for (const auto& [event, text] : item["scripts"].items()) {
      int code = CodeOf(ObjectEventNames(), json(event), "object event", error);
      if (code < 0) return false;
      obj->SetMacro(static_cast<uint8_t>(code), zkw::TScriptList::FromText(text.get<std::string>()));
    }
  }
  if (item.contains("data")) {
    std::string data;
    if (!Base64Decode(item["data"].get<std::string>(), data)) {
      error = "object \"data\" is not base64";
      return false;
    }
    zkw::TMemoryStream record(std::vector<uint8_t>(data.begin(), data.end()));
    zkw::TRecordReader r(&record);
    if (!obj->ReadKindRecord(r, zkw::kSceneVersion6) || !r.Ok()) {
      error = "object \"" + obj->FName + "\": kind data does not fit: " + zkw::LastErrorText();
      return false;
    }
  }
  if (item.contains("props")) {
    for (const auto& [name, value] : item["props"].items()) {
      int32_t code = zkw::PropertyCode(name);
      if (code <= 0) {
        error = "object \"" + obj->FName + "\": unknown property \"" + name + "\"";
        return false;
      }
      uint32_t colour = 0;
      if (value.is_string() && value.get<std::string>().size() == 7 && value.get<std::string>()[0] == '#' &&
          ParseColour(value, colour))
        obj->SetValue(code, std::string(), colour);
      else if (value.is_string())
        obj->SetValue(code, value.get<std::string>(), 0);
      else if (value.is_boolean())
        obj->SetValue(code, std::string(), value.get<bool>() ? 1 : 0);
      else
        obj->SetValue(code, std::string(), value.get<long double>());
    }
  }
  obj->FID = static_cast<int16_t>(image);
  if (image >= 0) {
    TDibBaseObj* dib = ani.GetDib(image);
    if (!dib) {
      error = "object \"" + obj->FName + "\" shows image " + std::to_string(image) + ", which does not exist";
      return false;
    }
    obj->SetDibObject(dib);
  }
  ani.Append(obj.release());
  return true;
}

json DumpObject(TAnimateObj& obj) {
  json o;
  auto kind = KindNames().find(obj.FStyle);
  o["kind"] = kind != KindNames().end() ? json(kind->second) : json(obj.FStyle);
  o["name"] = obj.FName;
  if (!obj.FTextID.empty()) o["info"] = zkw::ToUtf8(zkw::DecodeSceneText(obj.FTextID));
  if (!obj.FParentName.empty()) o["parent"] = obj.FParentName;
  o["image"] = obj.FID;
  o["x"] = obj.Fx;
  o["y"] = obj.Fy;
  o["originX"] = obj.FOriginX;
  o["originY"] = obj.FOriginY;
  o["width"] = obj.FWidth;
  o["height"] = obj.FHeight;
  o["flipX"] = obj.FFlipX;
  o["flipY"] = obj.FFlipY;
  o["opacity"] = obj.FTrans;
  o["drawStyle"] = obj.FDibStyle;
  o["visible"] = obj.FEnabled;
  o["level"] = obj.FLevel;
  o["collision"] = obj.FCollide;
  o["active"] = obj.FActive;
  o["draggable"] = obj.FFloatWhenClick;
  o["sensitive"] = obj.FSensitive;
  o["locked"] = obj.FLocked;
  o["container"] = obj.FContainer;
  o["tag"] = obj.FTag;
  o["hotCursor"] = obj.FHotCursor;
  json scripts = json::object();
  for (const auto& [code, name] : ObjectEventNames())
    if (zkw::TScriptList* list = obj.Macro(static_cast<uint8_t>(code))) scripts[name] = list->Text();
  if (!scripts.empty()) o["scripts"] = scripts;
  std::string data = KindData(obj);
  if (!data.empty()) o["data"] = Base64Encode(data);
  return o;
}

}  // namespace

// --- the whole scene --------------------------------------------------------------------------------

bool BuildScene(const json& Source, const std::string& BaseDir, TDibAnimator& Ani, std::string& Error) {
  try {
    int32_t w = 320, h = 240, vw = 0, vh = 0;
    const json scene = Source.value("scene", json::object());
    Size2(scene, "size", w, h);
    if (!Size2(scene, "view", vw, vh)) {
      vw = w;
      vh = h;
    }
    Ani.SetDibAttr(w, h);
    Ani.SetViewTo(vw, vh);
    Ani.FEnableSizeX = scene.value("enableSizeX", false);
    Ani.FEnableSizeY = scene.value("enableSizeY", false);
    Ani.DisableAutoDrawing = scene.value("disableAutoDrawing", false);
    if (scene.contains("notes")) {
      std::string notes = scene["notes"].get<std::string>();
      Ani.FNotesHandle = BlockOf(notes);
    }
    for (const json& item : Source.value("images", json::array())) {
      TDibBaseObj* dib = MakeImage(item, BaseDir, Error);
      if (!dib) return false;
      int32_t index = Ani.AddDib(dib);
      if (item.contains("lazy")) Ani.GetEntry(index)->LoadWhenUsed = item["lazy"].get<bool>();
    }
    for (const json& item : Source.value("sounds", json::array())) {
      std::string bytes;
      if (item.contains("wave")) {
        if (!Base64Decode(item["wave"].get<std::string>(), bytes)) {
          Error = "sound \"wave\" is not base64";
          return false;
        }
      } else if (item.contains("file")) {
        std::string path = PathIn(BaseDir, item["file"].get<std::string>());
        if (!ReadFileBytes(path, bytes)) {
          Error = "cannot read sound \"" + path + "\"";
          return false;
        }
      } else if (item.contains("tone")) {
        bytes = ToneWave(item["tone"].value("hz", 440), std::min(10000, item["tone"].value("ms", 200)));
      } else {
        Error = "a sound needs \"file\", \"wave\" or \"tone\": " + item.dump();
        return false;
      }
      zkw::TSoundEntry* entry = Ani.AddSound(BlockOf(bytes));
      if (!entry) {
        Error = "cannot add a sound";
        return false;
      }
      Take(item, "name", entry->SoundName);
      Take(item, "volume", entry->Volume);
      Take(item, "lazy", entry->LoadWhenUsed);
    }
    const json sceneScripts = Source.value("scripts", json::object());
    for (const auto& [event, text] : sceneScripts.items()) {
      int code = CodeOf(SceneEventNames(), json(event), "scene event", Error);
      if (code < 0) return false;
      *Ani.SceneScriptSlot(static_cast<uint8_t>(code)) = zkw::TScriptList::FromText(text.get<std::string>());
    }
    for (const json& item : Source.value("procedures", json::array())) {
      auto proc = std::make_unique<zkw::TProcedureInfo>();
      proc->piName = item.at("name").get<std::string>();
      for (const json& p : item.value("params", json::array())) {
        std::string type = p.at(1).get<std::string>();
        proc->piParams.Add(p.at(0).get<std::string>(), type == "string" ? 3 : 2);
      }
      std::string returns = item.value("returns", std::string());
      proc->piReturnType = returns == "number" ? 2 : returns == "string" ? 3 : 0;
      proc->piMacro = zkw::TScriptList::FromText(item.value("body", std::string()));
      Ani.ProcList.Add(std::move(proc));
    }
    for (const json& item : Source.value("objects", json::array()))
      if (!BuildObject(item, Ani, Error)) return false;
    return true;
  } catch (const std::exception& e) {
    Error = std::string("bad scene source: ") + e.what();
    return false;
  }
}

json DumpScene(TDibAnimator& Ani) {
  json src;
  json scene;
  scene["size"] = {Ani.FWidth, Ani.FHeight};
  scene["view"] = {Ani.FViewWidth, Ani.FViewHeight};
  scene["enableSizeX"] = Ani.FEnableSizeX;
  scene["enableSizeY"] = Ani.FEnableSizeY;
  scene["disableAutoDrawing"] = Ani.DisableAutoDrawing;
  if (Ani.FNotesHandle) {
    size_t size = plat::GlobalSize(Ani.FNotesHandle);
    const char* p = static_cast<const char*>(plat::GlobalLock(Ani.FNotesHandle));
    if (p) scene["notes"] = std::string(p, size);
    plat::GlobalUnlock(Ani.FNotesHandle);
  }
  src["scene"] = scene;
  json images = json::array();
  for (int32_t i = 0; i < Ani.DibCount(); ++i) {
    json item;
    TDibBaseObj* dib = Ani.GetDib(i);
    if (dib) item["dex"] = Base64Encode(ImageAsDex(dib));
    item["lazy"] = Ani.GetEntry(i)->LoadWhenUsed;
    images.push_back(item);
  }
  src["images"] = images;
  json sounds = json::array();
  for (int32_t i = 0; i < Ani.SoundCount(); ++i) {
    zkw::TSoundEntry* entry = Ani.GetSoundEntry(i);
    json item;
    item["name"] = entry->SoundName;
    item["volume"] = entry->Volume;
    item["lazy"] = entry->LoadWhenUsed;
    if (entry->Load() && entry->Handle) {
      size_t size = entry->BlockSize();
      const char* p = static_cast<const char*>(plat::GlobalLock(entry->Handle));
      item["wave"] = Base64Encode(std::string(p, size));
      plat::GlobalUnlock(entry->Handle);
    }
    sounds.push_back(item);
  }
  src["sounds"] = sounds;
  json scripts = json::object();
  for (const auto& [code, name] : SceneEventNames()) {
    zkw::TScriptPtr* slot = Ani.SceneScriptSlot(static_cast<uint8_t>(code));
    if (slot && *slot) scripts[name] = (*slot)->Text();
  }
  src["scripts"] = scripts;
  json procs = json::array();
  for (size_t i = 0; i < Ani.ProcList.size(); ++i) {
    const zkw::TProcedureInfo& p = Ani.ProcList[i];
    json item;
    item["name"] = p.piName;
    json params = json::array();
    for (int32_t k = 0; k < p.piParams.Count(); ++k)
      params.push_back({p.piParams.Item(k)->Name, p.piParams.Item(k)->VarType == 3 ? "string" : "number"});
    item["params"] = params;
    if (p.piReturnType) item["returns"] = p.piReturnType == 3 ? "string" : "number";
    item["body"] = p.piMacro ? p.piMacro->Text() : std::string();
    procs.push_back(item);
  }
  src["procedures"] = procs;
  json objects = json::array();
  for (zkw::TItemNode* n = Ani.Head(); n; n = n->NextItem) objects.push_back(DumpObject(*static_cast<TAnimateObj*>(n)));
  src["objects"] = objects;
  return src;
}

}  // namespace zkwtool
