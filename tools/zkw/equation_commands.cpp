// Equation commands of zkw: describe an equation file, buffer or text, and convert between
// them. The form follows the extension: .eqf file, .eqb buffer, .eqt text (UTF-8 on disk).
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "base/text16.h"
#include "commands.h"
#include "common/byte_stream.h"
#include "equation/equation.h"
#include "equation/item_grid.h"
#include "equation_gallery.h"
#include "fonts/font_manager.h"

namespace zkwtool {

namespace {

enum class EqForm { File, Buffer, Text, Unknown };

EqForm FormOf(const std::string& name) {
  const size_t dot = name.find_last_of('.');
  const std::string ext = dot == std::string::npos ? "" : name.substr(dot);
  if (ext == ".eqf") return EqForm::File;
  if (ext == ".eqb") return EqForm::Buffer;
  if (ext == ".eqt") return EqForm::Text;
  return EqForm::Unknown;
}

bool ReadBytes(const std::string& name, std::vector<uint8_t>& bytes) {
  return zkw::ReadWholeFile(zkw::FromUtf8(name).c_str(), bytes);
}

bool WriteBytes(const std::string& name, const void* data, size_t size) {
  std::ofstream out(name, std::ios::binary);
  out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
  return static_cast<bool>(out);
}

// Loads an equation in the form of the file's extension; false with the reason printed.
bool Load(const std::string& name, zkw::TEquation& e, int& status) {
  const EqForm form = FormOf(name);
  if (form == EqForm::Unknown) return status = Fail(name + ": the extension is none of .eqf, .eqb, .eqt"), false;
  if (form == EqForm::File) {
    if (!e.LoadFromFile(zkw::FromUtf8(name).c_str())) return status = Fail("cannot read " + name), false;
    return true;
  }
  std::vector<uint8_t> bytes;
  if (!ReadBytes(name, bytes)) return status = Fail("cannot read " + name), false;
  if (form == EqForm::Buffer) {
    if (!e.LoadFromBuffer(bytes.data(), bytes.size())) return status = Fail("cannot read " + name), false;
    return true;
  }
  int32_t index = 1;
  if (!e.ImportFrom(zkw::FromUtf8(std::string(bytes.begin(), bytes.end())), index))
    return status = Fail("cannot read " + name), false;
  return true;
}

std::string Hex(uint32_t v) {
  char text[16];
  std::snprintf(text, sizeof text, "%06X", v);
  return text;
}

void PrintRow(const zkw::TEquation& e, int depth);

void PrintItem(zkw::TEquationItem& item, int depth) {
  std::string line(static_cast<size_t>(depth) * 2, ' ');
  line += std::string(item.ClassName()) + " (" + std::to_string(item.ClassCode()) + ") colours " +
          Hex(item.FColor) + "/" + Hex(item.FTextColor);
  zkw::TFieldList fields;
  item.StoredFields(fields);
  for (int i = 0; i < fields.n; ++i) {
    const zkw::TStoredField& f = fields.f[i];
    line += std::string(" ") + f.name + "=";
    switch (f.kind) {
      case zkw::TStoredField::fkText: line += "\"" + zkw::ToUtf8(*static_cast<zkw::ZString*>(f.place)) + "\""; break;
      case zkw::TStoredField::fkInt: line += std::to_string(*static_cast<int32_t*>(f.place)); break;
      case zkw::TStoredField::fkByte: line += std::to_string(*static_cast<uint8_t*>(f.place)); break;
      case zkw::TStoredField::fkBool: line += *static_cast<bool*>(f.place) ? "1" : "0"; break;
    }
  }
  if (auto* grid = dynamic_cast<zkw::TArrayEquationEx*>(&item)) {
    line += " FStyle=" + std::to_string(grid->FStyle) + " FRow=" + std::to_string(grid->FRow) +
            " FCol=" + std::to_string(grid->FCol);
    std::printf("%s\n", line.c_str());
    for (int32_t r = 1; r <= grid->FRow; ++r)
      for (int32_t c = 1; c <= grid->FCol; ++c) {
        std::printf("%*scell %s\n", depth * 2 + 2, "", zkw::ToUtf8(zkw::GridCellName(r, c)).c_str());
        if (zkw::TEquation* cell = grid->Cell(r, c)) PrintRow(*cell, depth + 2);
      }
    return;
  }
  std::printf("%s\n", line.c_str());
  for (int32_t i = 0; i < item.ChildCount(); ++i) {
    std::printf("%*schild %d\n", depth * 2 + 2, "", i);
    PrintRow(*item.GetItem(i), depth + 2);
  }
}

void PrintRow(const zkw::TEquation& e, int depth) {
  for (int32_t i = 0; i < e.Count(); ++i) PrintItem(*e.GetItem(i), depth);
}

}  // namespace

int CmdEqInfo(const std::string& file) {
  zkw::TEquation e;
  int status = 0;
  if (!Load(file, e, status)) return status;
  if (FormOf(file) == EqForm::File) {
    std::vector<uint8_t> bytes;
    ReadBytes(file, bytes);
    uint32_t version, total;
    uint16_t count;
    std::memcpy(&version, &bytes[12], 4);
    std::memcpy(&count, &bytes[16], 2);
    std::memcpy(&total, &bytes[18], 4);
    std::printf("%s: equation file \"ISCEquation\", version %08X, %u top-level items, %u bytes\n", file.c_str(),
                version, count, total);
  } else {
    std::printf("%s: equation %s, %d top-level items, data size %lld bytes\n", file.c_str(),
                FormOf(file) == EqForm::Buffer ? "buffer" : "text", e.Count(),
                static_cast<long long>(e.DataSize()));
  }
  const zkw::TFontID& font = e.FFontID;
  std::printf("font \"%s\" %d pt%s%s%s\n", zkw::FaceName(font).c_str(), font.ftSize, font.ftBold ? " bold" : "",
              font.ftItalic ? " italic" : "", font.ftUnderline ? " underline" : "");
  PrintRow(e, 0);
  zkw::ZString markup;
  e.GetTextTo(markup);
  std::printf("markup: %s\n", zkw::ToUtf8(markup).c_str());
  return 0;
}

int CmdEqConvert(const std::string& in, const std::string& out) {
  zkw::TEquation e;
  int status = 0;
  if (!Load(in, e, status)) return status;
  bool ok = false;
  switch (FormOf(out)) {
    case EqForm::File: ok = e.SaveToFile(zkw::FromUtf8(out).c_str()); break;
    case EqForm::Buffer: {
      std::vector<uint8_t> bytes(static_cast<size_t>(e.DataSize()));
      std::memcpy(bytes.data(), &e.FFontID, sizeof e.FFontID);
      uint8_t* end = bytes.data() + sizeof e.FFontID;
      e.SaveTo(end);
      ok = WriteBytes(out, bytes.data(), static_cast<size_t>(end - bytes.data()));
      break;
    }
    case EqForm::Text: {
      zkw::ZString text;
      int32_t index = 1;
      e.ExportTo(text, index);
      const std::string utf8 = zkw::ToUtf8(text);
      ok = WriteBytes(out, utf8.data(), utf8.size());
      break;
    }
    case EqForm::Unknown: return Fail(out + ": the extension is none of .eqf, .eqb, .eqt");
  }
  if (!ok) return Fail("cannot write " + out);
  std::printf("wrote %s: %d top-level items\n", out.c_str(), e.Count());
  return 0;
}

int CmdEqRender(const EqRenderCommand& options) {
  zkw::TEquation e;
  int status = 0;
  if (!Load(options.file, e, status)) return status;
  zkw::TDibFontManager manager;
  TEqRenderOptions render;
  render.Size = options.size;
  render.Resolution = options.dpi;
  if (!options.dibFont.empty()) {
    manager.RegisterAsDefaultFont(zkw::FromUtf8(options.dibFont));
    render.Manager = &manager;
  }
  TRgbaImage image;
  std::string error;
  if (!RenderEquation(e, render, image)) return Fail("cannot draw " + options.file);
  if (!WritePng(options.out, image, error)) return Fail(error);
  std::printf("wrote %s: %d x %d pixels, region %d x %d, baseline %d\n", options.out.c_str(), image.Width, image.Height,
              e.Width(), e.Height(), e.FBaseline);
  return 0;
}

int CmdEqGallery(const std::string& out) {
  TRgbaImage image;
  std::string error;
  if (!RenderGallery(image)) return Fail("cannot draw the gallery");
  if (!WritePng(out, image, error)) return Fail(error);
  std::printf("wrote %s: %d x %d pixels\n", out.c_str(), image.Width, image.Height);
  return 0;
}

}  // namespace zkwtool
