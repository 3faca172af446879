/* Compiled as strict C (C99 and C11) and as C++ by the tests, warnings as errors: the public
 * header stands alone, and in the mingw builds its asserts check the 32- and 64-bit layouts of
 * the records. The table takes the address of a few declarations as a host would. */
#include <zkwgdi32.h>

typedef ZHANDLE(ZKWAPI* TCreateDib)(uint8_t Bits);
typedef int32_t(ZKWAPI* TWriteText)(ZFONT Font, int32_t left, int32_t top, int32_t right,
                                    int32_t bottom, const ZKWCHAR* st, int32_t Len, void* Dib,
                                    uint16_t Flag);
typedef ZTEXT(ZKWAPI* TLastError)(void);

struct TChecked {
  TCreateDib Create;
  TWriteText Draw;
  TLastError LastError;
};

int zkw_public_header_check(void);
int zkw_public_header_check(void) {
  static const struct TChecked checked = {CreateDibObject, dfuDrawText, zkwGetLastErrorText};
  TDibCanvasFontInfo info;
  info.FaceName[0] = 'A';
  return checked.Create != 0 && info.FaceName[0] == 'A' ? 1 : 0;
}
