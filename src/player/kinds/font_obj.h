// The DIB font object (kind 40): holds a bitmap font, loaded from the scene's data folder, for
// the labels and scripts that write with it. It draws nothing itself.
#pragma once
#include <memory>

#include "player/objects/animate_obj.h"
#include "player/objects/kind_fields.h"

namespace zkw {

class TDibFont;

class TDibFontObj : public TKind<TDibFontObj, TAnimateObj> {
 public:
  TDibFontObj();
  template <class V>
  static void Fields(V& v);
  // TextHeight (171) by hand.
  int32_t GetValue(int32_t PropID, long double& Value, std::string& SValue) override;
  // A new file name (153) drops the font loaded; the scene's objects learn of it.
  void PropertyWritten(int32_t PropID) override;
  ~TDibFontObj() override;
  void Draw(TDibBaseObj* ADib) override { (void)ADib; }
  void Action(TDibBaseObj* ADib) override { (void)ADib; FParentSetPos = false; }
  bool TextOutFor(TDibBaseObj* Frame, int32_t X, int32_t Y, const std::u16string& Text, int32_t& Result) override;
  bool TextWidthFor(const std::u16string& Text, int32_t& Width) override;
  bool TextHeightFor(const std::u16string& Text, int32_t& Height) override;

  // The font (loaded on first use; null when the file cannot be loaded). A file name of the
  // form "name.dfp|style" takes the font of that style from a font package.
  TDibFont* Font();
  // Passes Kerning, the colours, outline and shadow to the font.
  void Update();

  std::string FFilename;
  uint32_t FFontColor = 0;
  bool FOutline = false;
  uint32_t FOutlineColor = 0xFFFFFF;
  bool FShadow = false;
  uint32_t FShadowColor = 0;
  int16_t FKerning = 0;

 private:
  std::unique_ptr<TDibFont> FFont;
  bool FTried = false;
};
extern template class TKind<TDibFontObj, TAnimateObj>;

}  // namespace zkw
