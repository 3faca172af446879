// Shared by the table fuzz targets: scratch files named after the process, and a small table
// made by the writer.
#pragma once
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "base/text16.h"
#include "odf/odf_writer.h"

namespace odffuzz {

inline std::string Scratch(const char* suffix) {
  return "/tmp/zkw_odf_fuzz_" + std::to_string(::getpid()) + suffix;
}

inline void WriteBytes(const std::string& path, const uint8_t* data, size_t size) {
  if (FILE* f = std::fopen(path.c_str(), "wb")) {
    if (size) std::fwrite(data, 1, size, f);
    std::fclose(f);
  }
}

// NAME string(8), AGE long, BORN date, CITY Unicode(6), NOTE memo: five people.
inline zkw::TODFTableBuilder People() {
  using namespace zkw;
  TODFTableBuilder b(THeaderForm::hfCurrent, {{"NAME", ftString, 8}, {"AGE", ftLong}, {"BORN", ftDate},
                                              {"CITY", ftUnicode, 6}, {"NOTE", ftMemo}});
  const char* names[] = {"Carl", "Bob", "anna", "Bob", "Dave"};
  const int ages[] = {5, 7, 5, 9, 11};
  for (int i = 0; i < 5; ++i) {
    b.AddRecord();
    TStructItem f;
    b.BindField(0, f);
    f.Setfs(names[i]);
    b.BindField(1, f);
    f.Setfl(ages[i]);
    b.BindField(2, f);
    f.SetDate({static_cast<int16_t>(1970 + 7 * i), static_cast<uint8_t>(1 + i), static_cast<uint8_t>(3 * i + 1)});
    b.BindField(3, f);
    f.Setfu(zkw::FromUtf8(names[4 - i]));
    b.BindField(4, f);
    f.Setfm(b.AddMemo(zkw::msText, std::vector<uint8_t>(names[i], names[i] + 3), 2, i));
  }
  return b;
}

}  // namespace odffuzz
