// The table component of scene database objects: a file name, an index file name and an open
// mode; active while its table is open. Every change of what is open is announced through
// OnRefresh (the scene's player window gets message 47077 from it).
#pragma once
#include <functional>
#include <memory>

#include "base/text16.h"
#include "odf/odf_file.h"

namespace zkw {

enum TODFOpenMode : uint8_t { omRead, omReadWrite };

// The refresh message bound controls get when the open table changes.
constexpr uint32_t kODFRefreshMessage = 47077;

class TODFObj {
 public:
  TODFObj() = default;
  ~TODFObj() = default;  // frees the open table (which writes back)
  TODFObj(const TODFObj&) = delete;
  TODFObj& operator=(const TODFObj&) = delete;

  void SetOpenMode(TODFOpenMode Value);
  void SetFilename(const ZString& Value);
  void SetIndexFilename(const ZString& Value);
  void SetActive(bool Value);
  TODFFile* Table() const { return FODF.get(); }
  bool Active() const { return FActive; }

  std::unique_ptr<TODFFile> FODF;
  bool FActive = false;
  ZString FFilename;
  ZString FIdxFile;
  TODFOpenMode FMode = omRead;
  bool FIndexInMemory = false;
  std::function<void()> OnRefresh;

 private:
  void Open();
  void Close();
  void Refresh() {
    if (OnRefresh) OnRefresh();
  }
};

}  // namespace zkw
