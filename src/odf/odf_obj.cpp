// Opening and closing the table of the component as its names, mode and activity change.
#include "odf/odf_obj.h"

namespace zkw {

void TODFObj::Open() {
  FODF.reset();
  auto table = std::make_unique<TODFFile>(FFilename, FMode == omReadWrite ? kODFReadWrite : kODFRead);
  if (table->odfState == 0) {
    if (!FIdxFile.empty()) table->SetIndex(FIdxFile, FIndexInMemory);
    FODF = std::move(table);
  }
  FActive = FODF != nullptr;
  Refresh();
}

void TODFObj::Close() {
  FODF.reset();
  FActive = false;
  Refresh();
}

void TODFObj::SetFilename(const ZString& Value) {
  if (Value == FFilename) return;
  FFilename = Value;
  if (FFilename.empty()) Close();
  else if (FActive) Open();
}

void TODFObj::SetIndexFilename(const ZString& Value) {
  if (Value == FIdxFile) return;
  FIdxFile = Value;
  if (FODF && !FIdxFile.empty()) {
    FODF->SetIndex(FIdxFile, FIndexInMemory);
    Refresh();
  }
}

void TODFObj::SetActive(bool Value) {
  if (Value == FActive) return;
  if (Value && !FFilename.empty()) Open();
  else Close();
}

void TODFObj::SetOpenMode(TODFOpenMode Value) {
  if (Value == FMode) return;
  FMode = Value;
  if (FActive) Open();
}

}  // namespace zkw
