// The font manager: maps requests (face name, size, bold, italic) to bitmap fonts registered
// from font files and font packages. Fonts are loaded on first use, shared between all
// requesters of the same stored font (counted by UsedCount) and freed when the last one gives
// them back. A font registered as "Default" serves names that are not registered.
#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <unordered_map>
#include <utility>
#include <vector>

#include "base/text16.h"

namespace zkw {

class TDibFont;

// A loaded font and where it came from.
struct TDFManFontItem {
  ZString FontFile;                   // as registered (without FontPath)
  std::unique_ptr<TDibFont> FontObj;  // owned
  int32_t Position = 0;               // offset inside a package, 0 for a font file
  int32_t Size = 0;                   // length inside a package, 0 for a font file
  std::vector<size_t> Registrations;  // FontList indexes pointing at this item
  ~TDFManFontItem();
};

// A registration: the name and style it serves and where its font is stored.
struct TDibFontAttributes {
  ZString Fontname;
  ZString FontFile;        // relative to FontPath: a font file or a package
  int32_t FontSize = 0;    // 0 serves every size
  bool FontBold = false;
  bool FontItalic = false;
  TDFManFontItem* FontObj = nullptr;  // the loaded font serving it, or none
  int32_t FilePosition = 0;           // offset inside a package, 0 for a font file
  int32_t FileSize = 0;
};

// Registrations one package call may add; a package asking for more registers nothing.
constexpr size_t kMaxPackageRegistrations = 65536;

class TDibFontManager {
 public:
  TDibFontManager();
  ~TDibFontManager();
  // Whether a manager lives at that address: equations keep a manager they do not own and
  // use it only while it exists.
  static bool IsLive(const TDibFontManager* manager);
  TDibFontManager(const TDibFontManager&) = delete;
  TDibFontManager& operator=(const TDibFontManager&) = delete;

  // Appends a registration; neither the file nor duplicates are checked.
  void RegisterFont(const ZString& AName, int32_t ASize, bool ABold, bool AItalic,
                    const ZString& AFilename);
  // Registers every usable entry of a package under AName, or under each name of the package
  // when AName is empty (entry by entry, names in order). A missing, short, foreign or
  // truncated package, or one that would add more than kMaxPackageRegistrations, adds nothing.
  void RegisterFontPackage(const ZString& AName, const ZString& AFilename);
  // Registers the package's size-0 entries under "Default".
  void RegisterAsDefaultFont(const ZString& AFilename);
  // FontPath = APath (with the platform's separator appended); registers every file of that
  // folder whose extension is ".dfp" in any letter case, in name order.
  void AutoRegisterPackages(const ZString& APath);
  // The font of the first matching registration (in registration order), else that of the
  // first matching "Default" registration, else null. The caller gives it back by DeleteFont.
  TDibFont* CreateFont(const ZString& AName, int32_t ASize, bool ABold, bool AItalic);
  // Gives a font back; the last holder frees it. Fonts not from this manager are ignored.
  void DeleteFont(TDibFont* AFont);
  // Drops every registration and frees every loaded font whatever its count.
  void Destroy();

  std::vector<TDibFontAttributes> FontList;
  std::vector<std::unique_ptr<TDFManFontItem>> ObjList;
  ZString FontPath;

 private:
  // True when the package's header and index could be read; fills entries for the caller.
  bool AddPackage(const ZString& AName, const ZString& AFilename, bool DefaultOnly);
  void AddRegistration(TDibFontAttributes Attr);
  TDibFont* Obtain(const ZString& AName, int32_t ASize, bool ABold, bool AItalic);
  TDibFont* Load(const TDibFontAttributes& Attr);

  // Registrations by name folded to lower case, in registration order.
  std::unordered_map<ZString, std::vector<size_t>> FByName;
  // Loaded fonts by file name folded to lower case and position.
  std::map<std::pair<ZString, int32_t>, TDFManFontItem*> FByFile;
  std::unordered_map<const TDibFont*, TDFManFontItem*> FByFont;
};

// A name folded to lower case for case-insensitive lookups (ASCII and Latin-1 letters).
ZString FoldFontName(const ZString& Name);

}  // namespace zkw
