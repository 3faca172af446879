// Marked-up text to and from a host's rich-text editor window, through the window messages the
// editor answers (its text, per-character format indices, formats and embedded equations).
#pragma once
#include <cstdint>

#include <zkwgdi32.h>  // TSpecCharFormat, TEquationObjectInfo: the records hosts exchange

#include "base/text16.h"
#include "platform/plat.h"
#include "platform/plat_gdi.h"
#include "platform/plat_window.h"

namespace zkw {

// The messages of the editor protocol.
enum : plat::UINT {
  kEdBeginReformat = 1164,   // reformatting starts
  kEdGetText = 1166,         // -> address of the zero-terminated text
  kEdGetFormatIndex = 1167,  // -> one byte per character: format index, or object index for code 1
  kEdGetFormatCount = 1208,  // -> number of formats
  kEdGetFormat = 1222,       // wParam index, lParam 84-byte buffer to fill
  kEdGetDefaultFormat = 1290,  // -> address of the default format, or 0
  kEdGetObject = 1263,       // wParam object index -> equation handle, or 0
  kEdSetFormat = 1232,       // wParam window, lParam format -> low byte for the next insert
  kEdInsertText = 1245,      // wParam that byte, lParam the run's text
  kEdNewParagraph = 1246,
  kEdInsertEquation = 5171   // wParam equation (the editor takes it), lParam its object info
};

static_assert(sizeof(TSpecCharFormat) == 84, "TSpecCharFormat is 84 bytes");

// The editor's text with its formats as marked-up text in movable zero-initialised global memory,
// or 0 for an empty text or result, or when the memory cannot be had.
plat::HGLOBAL GetEquationCode(plat::HWND Window);
// Inserts marked-up text into the editor: runs with their formats, paragraphs and equations.
void ReformatSpecText(plat::HWND Window, const ZChar* Text);

}  // namespace zkw
