#include "fonts/font_manager.h"

#include <algorithm>
#include <unordered_set>

#include "base/last_error.h"
#include "common/byte_stream.h"
#include "fonts/dib_font.h"
#include "fonts/package_font.h"
#include "platform/plat.h"
#include "platform/plat_find.h"

namespace zkw {

TDFManFontItem::~TDFManFontItem() = default;

ZString FoldFontName(const ZString& Name) {
  ZString folded = Name;
  for (ZChar& c : folded)
    if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) c = static_cast<ZChar>(c + 32);
  return folded;
}

namespace {

const ZString kDefaultName = FromUtf8("Default");

bool FileExists(const ZString& Name) {
  plat::DWORD attr = plat::GetFileAttributesW(Name.c_str());
  return attr != plat::INVALID_FILE_ATTRIBUTES && !(attr & plat::FILE_ATTRIBUTE_DIRECTORY);
}

bool HasPackageExtension(const ZString& Name) {
  return Name.size() > 4 && FoldFontName(Name.substr(Name.size() - 4)) == FromUtf8(".dfp");
}

}  // namespace

void TDibFontManager::AddRegistration(TDibFontAttributes Attr) {
  FByName[FoldFontName(Attr.Fontname)].push_back(FontList.size());
  FontList.push_back(std::move(Attr));
}

void TDibFontManager::RegisterFont(const ZString& AName, int32_t ASize, bool ABold, bool AItalic,
                                   const ZString& AFilename) {
  TDibFontAttributes attr;
  attr.Fontname = AName;
  attr.FontFile = AFilename;
  attr.FontSize = ASize;
  attr.FontBold = ABold;
  attr.FontItalic = AItalic;
  AddRegistration(std::move(attr));
}

bool TDibFontManager::AddPackage(const ZString& AName, const ZString& AFilename, bool DefaultOnly) {
  TFileStream file((FontPath + AFilename).c_str(), FileMode::fmOpenRead);
  if (!file.IsOpen()) {
    SetLastErrorText("font package \"" + ToUtf8(FontPath + AFilename) + "\" cannot be opened");
    return false;
  }
  TFontPackage package;
  if (!package.Open(file)) return false;
  std::vector<ZString> names;
  if (DefaultOnly)
    names.push_back(kDefaultName);
  else if (!AName.empty())
    names.push_back(AName);
  else
    names = package.Names;
  std::vector<const TFontPackageEntry*> entries;
  for (const TFontPackageEntry& e : package.Entries)
    if (e.Usable && (!DefaultOnly || e.Size == 0)) entries.push_back(&e);
  if (entries.size() * names.size() > kMaxPackageRegistrations) {
    SetLastErrorText("font package would add " + std::to_string(entries.size() * names.size()) +
                     " registrations; at most 65,536 are taken from one package");
    return false;
  }
  for (const TFontPackageEntry* e : entries) {
    for (const ZString& name : names) {
      TDibFontAttributes attr;
      attr.Fontname = name;
      attr.FontFile = AFilename;
      attr.FontSize = e->Size;
      attr.FontBold = e->Bold;
      attr.FontItalic = e->Italic;
      attr.FilePosition = static_cast<int32_t>(e->Offset);
      attr.FileSize = static_cast<int32_t>(e->Length);
      AddRegistration(std::move(attr));
    }
  }
  return true;
}

void TDibFontManager::RegisterFontPackage(const ZString& AName, const ZString& AFilename) {
  AddPackage(AName, AFilename, false);
}

void TDibFontManager::RegisterAsDefaultFont(const ZString& AFilename) {
  AddPackage(ZString(), AFilename, true);
}

void TDibFontManager::AutoRegisterPackages(const ZString& APath) {
  FontPath = APath;
  if (FontPath.empty()) return;
  if (FontPath.back() != plat::kPathSeparator) FontPath += plat::kPathSeparator;
  std::vector<ZString> files;
  plat::WIN32_FIND_DATAW data;
  ZString pattern = FontPath + ZChar(u'*');
  plat::HANDLE find = plat::FindFirstFileW(pattern.c_str(), &data);
  if (find == plat::INVALID_HANDLE_VALUE) return;
  do {
    ZString name(data.cFileName);
    if (!(data.dwFileAttributes & plat::FILE_ATTRIBUTE_DIRECTORY) && HasPackageExtension(name))
      files.push_back(std::move(name));
  } while (plat::FindNextFileW(find, &data));
  plat::FindClose(find);
  std::sort(files.begin(), files.end());
  for (const ZString& file : files) RegisterFontPackage(ZString(), file);
}

TDibFont* TDibFontManager::Load(const TDibFontAttributes& Attr) {
  const ZString path = FontPath + Attr.FontFile;
  if (Attr.FontFile.empty() || !FileExists(path)) {
    SetLastErrorText("font file \"" + ToUtf8(path) + "\" does not exist");
    return nullptr;
  }
  auto font = std::make_unique<TDibFont>();
  bool loaded;
  if (Attr.FilePosition != 0) {
    TFileStream file(path.c_str(), FileMode::fmOpenRead);
    const uint32_t offset = static_cast<uint32_t>(Attr.FilePosition);
    loaded = file.IsOpen() && offset < file.Size() &&
             file.Seek(offset, SeekOrigin::soBeginning) == offset && font->LoadFromStream(file);
  } else {
    loaded = font->LoadFromFile(path.c_str());
  }
  if (!loaded || !font->FDib) {
    SetLastErrorText("font \"" + ToUtf8(path) + "\" at " + std::to_string(static_cast<uint32_t>(Attr.FilePosition)) +
                     " does not load");
    return nullptr;
  }
  return font.release();
}

TDibFont* TDibFontManager::Obtain(const ZString& AName, int32_t ASize, bool ABold, bool AItalic) {
  auto named = FByName.find(FoldFontName(AName));
  if (named == FByName.end()) return nullptr;
  for (size_t index : named->second) {
    TDibFontAttributes& attr = FontList[index];
    if ((attr.FontSize != ASize && attr.FontSize != 0) || attr.FontBold != ABold || attr.FontItalic != AItalic)
      continue;
    // The first matching registration decides, even when its font does not load.
    TDFManFontItem* item = attr.FontObj;
    if (!item) {
      auto loaded = FByFile.find({FoldFontName(attr.FontFile), attr.FilePosition});
      if (loaded != FByFile.end()) {
        item = loaded->second;
      } else {
        TDibFont* font = Load(attr);
        if (!font) return nullptr;
        auto fresh = std::make_unique<TDFManFontItem>();
        fresh->FontFile = attr.FontFile;
        fresh->FontObj.reset(font);
        fresh->Position = attr.FilePosition;
        fresh->Size = attr.FilePosition != 0 ? attr.FileSize : 0;
        font->UsedCount = 0;
        item = fresh.get();
        FByFile[{FoldFontName(attr.FontFile), attr.FilePosition}] = item;
        FByFont[font] = item;
        ObjList.push_back(std::move(fresh));
      }
      attr.FontObj = item;
      item->Registrations.push_back(index);
    }
    ++item->FontObj->UsedCount;
    return item->FontObj.get();
  }
  return nullptr;
}

TDibFont* TDibFontManager::CreateFont(const ZString& AName, int32_t ASize, bool ABold, bool AItalic) {
  if (TDibFont* font = Obtain(AName, ASize, ABold, AItalic)) return font;
  return Obtain(kDefaultName, ASize, ABold, AItalic);
}

void TDibFontManager::DeleteFont(TDibFont* AFont) {
  if (!AFont) return;
  auto found = FByFont.find(AFont);
  if (found == FByFont.end()) return;
  TDFManFontItem* item = found->second;
  if (--AFont->UsedCount > 0) return;
  for (size_t index : item->Registrations) FontList[index].FontObj = nullptr;
  FByFont.erase(found);
  FByFile.erase({FoldFontName(item->FontFile), item->Position});
  auto owned = std::find_if(ObjList.begin(), ObjList.end(),
                            [item](const std::unique_ptr<TDFManFontItem>& p) { return p.get() == item; });
  if (owned != ObjList.end()) ObjList.erase(owned);
}

namespace {
std::unordered_set<const TDibFontManager*>& LiveManagers() {
  static auto* live = new std::unordered_set<const TDibFontManager*>();
  return *live;
}
}  // namespace

TDibFontManager::TDibFontManager() { LiveManagers().insert(this); }

TDibFontManager::~TDibFontManager() {
  Destroy();
  LiveManagers().erase(this);
}

bool TDibFontManager::IsLive(const TDibFontManager* manager) { return manager && LiveManagers().count(manager) != 0; }

void TDibFontManager::Destroy() {
  FontList.clear();
  ObjList.clear();
  FByName.clear();
  FByFile.clear();
  FByFont.clear();
}

}  // namespace zkw
