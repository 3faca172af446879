/* A small host of ZKWGDI32: loads a BMP image, writes a line of text on it with a bitmap font
 * and saves the result as a BMP file. The same C99 source builds on Linux (libzkwgdi32.so,
 * pkg-config or CMake) and on Windows (ZKWGDI32.dll with its import library).
 *
 *   host IMAGE.bmp FONT.dfu OUT.bmp [TEXT]
 */
#include <stdio.h>
#include <string.h>

#include <zkwgdi32.h>

/* Widens ASCII (file names and the text of this example) to the library's UTF-16. */
static const ZKWCHAR* widen(const char* text, ZKWCHAR* out, size_t size) {
  size_t i = 0;
  for (; text[i] && i + 1 < size; ++i) out[i] = (ZKWCHAR)(unsigned char)text[i];
  out[i] = 0;
  return out;
}

/* Prints what failed and the library's reason. */
static int fail(const char* what) {
  ZTEXT reason = zkwGetLastErrorText();
  fprintf(stderr, "host: %s: ", what);
  for (; reason && *reason; ++reason) fputc(*reason < 128 ? (int)*reason : '?', stderr);
  fputc('\n', stderr);
  return 1;
}

int main(int argc, char** argv) {
  ZKWCHAR name[1024], text[256];
  const char* line = argc > 4 ? argv[4] : "Hello from ZKWGDI32";
  ZHANDLE image;
  ZFONT font;
  int32_t width;
  int result = 0;

  if (argc < 4) {
    fprintf(stderr, "usage: host IMAGE.bmp FONT.dfu OUT.bmp [TEXT]\n");
    return 2;
  }
  image = CreateDibFromFile(widen(argv[1], name, 1024));
  if (!image) return fail("cannot load the image");
  font = CreateDFUFont();
  if (!dfuLoadFromFile(font, widen(argv[2], name, 1024))) {
    FreeDibObject(image);
    FreeDFUFont(font);
    return fail("cannot load the font");
  }

  /* White text with a black outline, 4 pixels from the top left corner. */
  dfuSetColor(font, 0x00FFFFFF, 0x00000000);
  dfuSetOutline(font, 1);
  widen(line, text, 256);
  width = dfuTextWidth(font, text, (uint16_t)strlen(line));
  dfuWriteText(font, 4, 4, text, (int32_t)strlen(line), image);

  if (SaveDibToBitmap(widen(argv[3], name, 1024), dibGetHandle(image))) {
    printf("%d x %d, %d bytes a pixel, text %d x %d pixels, saved %s\n", (int)dibGetWidth(image),
           (int)dibGetHeight(image), (int)dibGetBits(image), (int)width,
           (int)dfuTextHeight(font), argv[3]);
  } else {
    result = fail("cannot save the image");
  }
  FreeDFUFont(font);
  FreeDibObject(image);
  return result;
}
