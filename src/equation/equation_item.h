// TEquationItem: one construct of an equation row (a text, a fraction, a root, ...), owning the
// child equations of its slots. Subclasses fix their children, own fields and stored fields.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/text16.h"
#include "equation/font_id.h"
#include "equation/form_io.h"
#include "platform/plat_gdi.h"

namespace zkw {

class TDibFontManager;
class TEquation;
class TStream;

// Size of a child equation relative to its item's font: full, two thirds (scripts and
// limits) or three quarters (root index, arrow texts).
enum class TChildScale : uint8_t { csFull, csSmall, csThreeQuarter };
// The font size of a child of that scale: rounded, halves to even.
int32_t ScaledFontSize(int32_t size, TChildScale scale);

class TEquationItem {
 public:
  TEquationItem();
  TEquationItem(const TEquationItem&) = delete;
  TEquationItem& operator=(const TEquationItem&) = delete;

  // --- Virtual operations, in slot order ---
  // 0: fields to the class defaults, fresh child equations.
  virtual void InitDefaults();
  // 1: draws the item's marks and children (the drawing code overrides it).
  virtual void DrawContent() {}
  // 2..4: take a font and pass it to the children, each at its scale.
  virtual void ApplyFontID(const TFontID& font);
  virtual void ApplyFontName(const std::string& name);
  virtual void ApplyFontSize(int32_t size);
  // 5..7: sizes in the stream form: common part, child list, whole item (code excluded).
  virtual int32_t ParameterSize() const { return 12; }
  virtual int64_t EqListSize() const;
  virtual int64_t ObjSize() const;
  // 8: back to a new item of the class.
  virtual void Create() { InitDefaults(); }
  // 9..11: placement and drawing (the layout code extends them).
  virtual void SetBasePoint(int32_t x, int32_t y);
  // Moves the laid-out item and its children by (dx, dy).
  virtual void Offset(int32_t dx, int32_t dy);
  // Lays the item out again at its base point.
  virtual void CalcRect() { SetBasePoint(FBasePoint.x, FBasePoint.y); }
  // Sets the text colour and draws the content (nothing without a device context).
  virtual void Draw();
  // 12..17: stream form; Read reads the item after its class code.
  virtual bool ReadParameter(TStream& Stream);
  virtual bool ReadEqList(TStream& Stream);
  virtual bool Read(TStream& Stream);
  virtual bool WriteParameter(TStream& Stream);
  virtual bool WriteEqList(TStream& Stream);
  virtual bool Write(TStream& Stream);
  // 18..23: buffer form over memory whose extent the host vouches for; Buf advances.
  virtual bool LoadEqList(const uint8_t*& Buf);
  virtual bool LoadParameter(const uint8_t*& Buf);
  virtual bool LoadObj(const uint8_t*& Buf);
  virtual void SaveEqList(uint8_t*& Buf);
  virtual void SaveParameter(uint8_t*& Buf);
  virtual void SaveObj(uint8_t*& Buf);
  // 24..25: text form at a 1-based position that advances.
  virtual void ExportObj(ZString& St, int32_t& index);
  virtual bool ImportObj(const ZString& St, int32_t& index);
  // 26: appends the markup text.
  virtual void GetText(ZString& St);

  virtual ~TEquationItem();

  // --- Class identity and stored shape ---
  // The class code written before the item.
  virtual int32_t ClassCode() const = 0;
  virtual const char* ClassName() const = 0;
  // Whether the class has a child list in the stored forms.
  virtual bool HasChildren() const { return true; }
  // The class's own stored fields, base class first, in stored order.
  virtual void StoredFields(TFieldList&) {}
  // The fields of the text form (the same, but for classes that leave some out).
  virtual void TextFields(TFieldList& list) { StoredFields(list); }
  // Applies stored fields through their setters after reading.
  virtual void FieldsRead() {}
  virtual TChildScale ChildScale(size_t) const { return TChildScale::csFull; }
  // Told before a child equation is destroyed by Delete.
  virtual void ChildRemoved(TEquation*) {}

  // --- Generic reading and writing through a form ---
  // The item after its class code: common part, children, fields. The item must hold its class
  // defaults (new, or after InitDefaults).
  bool ReadFrom(TEqReader& r);
  void WriteTo(TEqWriter& w);
  virtual bool ReadBody(TEqReader& r);
  virtual void WriteBody(TEqWriter& w);
  bool ReadChildren(TEqReader& r);
  void WriteChildren(TEqWriter& w);

  // --- Non-virtual operations ---
  // Lays out the children again, then the item.
  void Invalidate();
  // Appends / inserts a child equation, which gets the item as parent, its device context and font.
  void AddItem(TEquation* aEquation);
  void InsertItem(int32_t index, TEquation* aEquation);
  TEquation* GetItem(int32_t Index) const;
  // Index of a child equation, -1 when it is not one.
  int32_t GetIndex(const TEquation* p) const;
  // Destroys a child equation; an index outside the list is ignored.
  void Delete(int32_t index);
  // Reads the child list of the text form.
  bool ImportEqList(const ZString& st, int32_t& index);
  void SetVersion(int32_t aVer);
  int32_t ChildCount() const { return static_cast<int32_t>(FEQList.size()); }

  // Setters that pass the value to the child equations.
  void SetColor(plat::COLORREF value);
  void SetTextColor(plat::COLORREF value);
  void SetDC(plat::HDC value);
  void SetResolution(int32_t value);
  void SetUseDibFont(bool value);
  void SetDibFontManager(TDibFontManager* value);

  TDibFontManager* FDibFontManager = nullptr;
  std::vector<std::unique_ptr<TEquation>> FEQList;
  TFontID FFontID = DefaultFontID();
  plat::COLORREF FColor = 0;
  plat::COLORREF FTextColor = 0;
  plat::RECT FRect{};
  plat::POINT FBasePoint{};
  plat::HDC FDC = nullptr;
  int32_t FResolution = 96;
  TEquation* FParentObj = nullptr;
  int32_t FSpacingFirst = 0;
  int32_t FVersion = 0;
  bool FUseDibFont = false;

 protected:
  // Layout helpers: a child equation, round(points x resolution / 72), one point (p).
  // A child removed by Delete reads as an empty row, so the layout never indexes past the list.
  TEquation& Child(size_t i) const;
  int32_t Pt(double points) const;
  int32_t P() const { return Pt(1); }
  // Sets FRect from 64-bit values held in the coordinate range.
  void SetRect(int64_t left, int64_t top, int64_t right, int64_t bottom);
  // Widens FRect to a child's region (only when it has items).
  void Widen(const TEquation& child, bool horizontally = true);
  // Replaces the children by `count` empty child equations at their scales.
  void CreateChildren(size_t count);
  // A new empty child equation with the item's settings and the font of that scale.
  std::unique_ptr<TEquation> NewChild(TChildScale scale) const;
  // Markup of one child equation (nothing when there is no such child).
  void ChildText(size_t index, ZString& St);
  // Markup of every child equation in order.
  void ChildrenText(ZString& St);
};

// Moves a rectangle, held in the coordinate range.
void OffsetRect(plat::RECT& r, int32_t dx, int32_t dy);

// A new item of a class code (30 for TLog included), or null for a code outside the table.
std::unique_ptr<TEquationItem> NewEquationItem(int32_t code);

}  // namespace zkw
