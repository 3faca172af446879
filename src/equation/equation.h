// TEquation: a horizontal row of equation items; the root of an equation tree and every child
// equation of an item (numerator, limits, rows, cells) are equations. Readers build a new row
// and put it in place only when the whole input was read.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/text16.h"
#include "equation/equation_item.h"
#include "equation/font_id.h"
#include "equation/form_io.h"
#include "platform/plat_gdi.h"

namespace zkw {

class TDibFontManager;
class TStream;

class TEquation {
 public:
  TEquation();  // Create
  TEquation(const TEquation&) = delete;
  TEquation& operator=(const TEquation&) = delete;
  virtual ~TEquation();  // Destroy: frees the items

  // Virtual operations: defaults with an empty row, face of the whole tree, stream size.
  virtual void InitDefaults();
  virtual void ApplyFontName(const std::string& name);
  virtual int64_t StreamSize() const;

  // Frees the items and keeps the equation.
  void Clear();
  // Appends an item (null ignored), which takes the row's device context, parent and font.
  void Add(TEquationItem* item);
  // Inserts before index (negative: 0; at or past the end: Add).
  void Insert(int32_t index, TEquationItem* item);
  // Destroys the item at index; an index outside the row is ignored.
  void Delete(int32_t index);
  TEquationItem* GetItem(int32_t index) const;
  int32_t Count() const { return static_cast<int32_t>(FList.size()); }
  // Bytes of the buffer form: the font record and the equation in the stream form.
  int64_t DataSize() const { return 136 + StreamSize(); }
  void SetVersion(int32_t aVer);
  void SetBasePoint(int32_t x, int32_t y);
  // Moves the laid-out row and everything in it to a new base point without laying it out again.
  void MoveBasePoint(int32_t x, int32_t y);
  void Offset(int32_t dx, int32_t dy);
  // Every item lays itself out again, then the row from the same base point.
  void Invalidate();
  // The region from the items (the placeholder box when there are none) and FBaseline.
  void CalcRegion();
  // Draws the items on FDC with the text alignment set to top-left.
  void Draw();
  // Draws the items without touching the alignment (children of an item).
  void DrawItems();
  // Draws at the largest size below the current one that fits the box, when it does not fit.
  void DrawScale(int32_t aWidth, int32_t aHeight);
  // Measures of the region; above and below the axis, 0 when negative.
  int32_t Width() const { return FRegion.right - FRegion.left; }
  int32_t Height() const { return FRegion.bottom - FRegion.top; }
  int32_t AboveHeight() const { return FBasePoint.y - FRegion.top > 0 ? FBasePoint.y - FRegion.top : 0; }
  int32_t BelowHeight() const { return FRegion.bottom - FBasePoint.y > 0 ? FRegion.bottom - FBasePoint.y : 0; }
  bool HasItems() const { return !FList.empty(); }
  // The bounds rectangle, or the region while it is empty.
  plat::RECT BoundsRect() const;

  // Setters: store the value and pass it to every item, which passes it to its children.
  void SetFontID(const TFontID& font);
  void SetFontName(const std::string& name);
  void SetFontSize(int32_t size);
  void SetColor(plat::COLORREF value);
  void SetTextColor(plat::COLORREF value);
  void SetDC(plat::HDC value);
  void SetResolution(int32_t value);
  void SetUseDibFont(bool value);
  void SetDibFontManager(TDibFontManager* value);
  void SetParentObj(TEquationItem* value) { FParentObj = value; }

  // Stream form: item count, then code and item for each item.
  bool Read(TStream& Stream);
  bool Write(TStream& Stream);
  // File form: "ISCEquation" header, the font record, the stream form. A failing save leaves no
  // file behind and an existing file as it was.
  bool LoadFromFile(const ZChar* Filename);
  bool SaveToFile(const ZChar* Filename);
  // Buffer form: the equation without the font record; Buf advances past it.
  void SaveTo(uint8_t*& Buf);
  // Buffer form with the font record; the host's buffer holds at least DataSize() bytes.
  void SaveToBuffer(uint8_t* Buf);
  // Reads the buffer form from memory whose extent the host vouches for.
  bool LoadFromBuffer(const uint8_t* Buf);
  // Reads the buffer form from Size bytes; never reads past them.
  bool LoadFromBuffer(const uint8_t* Buf, size_t Size);
  // Text form, inserted into st at the 1-based index, which advances past it.
  void ExportTo(ZString& st, int32_t& index);
  // Reads the text form at the 1-based index; on success the index advances past it.
  bool ImportFrom(const ZString& st, int32_t& index);
  // Appends the markup text of the row.
  void GetTextTo(ZString& St);

  // The row through a form: item count, then code and item for each.
  bool ReadItems(TEqReader& r);
  void WriteItems(TEqWriter& w);
  // Reads a whole row into a fresh equation with this one's settings and, on success, puts
  // its items in place of this one's.
  bool ReadReplacing(TEqReader& r);

  TDibFontManager* FDibFontManager = nullptr;
  std::vector<std::unique_ptr<TEquationItem>> FList;
  plat::RECT FRegion{};
  plat::RECT FBoundsRect{};
  plat::POINT FBasePoint{};
  plat::HDC FDC = nullptr;
  int32_t FResolution = 96;
  plat::COLORREF FColor = 0;
  plat::COLORREF FTextColor = 0;
  TFontID FFontID;
  TEquationItem* FParentObj = nullptr;
  int32_t FBaseline = 0;
  bool FUseDibFont = false;

 private:
  // Gives an item the row's device context, parent and font.
  void Adopt(TEquationItem* item);
  // After a setter that changes measures: the placeholder is measured again and the tree laid
  // out again, once, by the outermost setter.
  void Relayout();
};

}  // namespace zkw
