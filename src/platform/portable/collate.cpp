// Locale-aware comparison for Linux: ICU's root collation, one collator per thread (a collator
// is not safe to share between threads).
#include <unicode/ucol.h>

#include "base/text16.h"
#include "platform/plat.h"

namespace plat {
namespace {

struct Collator {
  UCollator* handle = nullptr;
  UColAttributeValue strength = UCOL_DEFAULT;
  ~Collator() {
    if (handle) ucol_close(handle);
  }
};

// The thread's collator at the given strength; null when ICU cannot open it.
UCollator* CollatorOf(UColAttributeValue strength) {
  thread_local Collator collator;
  if (!collator.handle) {
    UErrorCode status = U_ZERO_ERROR;
    collator.handle = ucol_open("", &status);
    if (U_FAILURE(status)) {
      collator.handle = nullptr;
      return nullptr;
    }
  }
  if (collator.strength != strength) {
    UErrorCode status = U_ZERO_ERROR;
    ucol_setAttribute(collator.handle, UCOL_STRENGTH, strength, &status);
    collator.strength = strength;
  }
  return collator.handle;
}

}  // namespace

int CompareStringW(LCID /*locale*/, DWORD flags, LPCWSTR text1, int len1, LPCWSTR text2,
                   int len2) {
  if (!text1 || !text2 || len1 < -1 || len2 < -1) return 0;
  static_assert(sizeof(UChar) == sizeof(WCHAR));
  UCollator* collator = CollatorOf((flags & NORM_IGNORECASE) ? UCOL_SECONDARY : UCOL_TERTIARY);
  if (!collator) return 0;
  UCollationResult result = ucol_strcoll(collator, reinterpret_cast<const UChar*>(text1), len1,
                                         reinterpret_cast<const UChar*>(text2), len2);
  return result == UCOL_LESS ? CSTR_LESS_THAN : result == UCOL_EQUAL ? CSTR_EQUAL : CSTR_GREATER_THAN;
}

}  // namespace plat
