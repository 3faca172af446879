// Seeds of the table fuzz targets, made by the table and index writers.
#include <sys/stat.h>

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "../odf_fuzz_support.h"
#include "odf/odf_file.h"
#include "odf/odf_index.h"

void WriteOdfSeeds(const std::string& outDir) {
  using namespace zkw;
  auto write = [&](const std::string& target, const std::string& name, const std::vector<uint8_t>& bytes) {
    ::mkdir((outDir + "/" + target).c_str(), 0755);
    std::ofstream(outDir + "/" + target + "/" + name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  };
  // Tables of every header form and field type, with their memo files.
  const std::vector<TODFFieldDef> all = {
      {"S", ftString, 6}, {"C", ftChar},      {"U", ftUnicode, 4}, {"B", ftByte},   {"W", ftWord},
      {"I", ftShort},     {"L", ftLong},      {"R", ftReal, 0, 2}, {"G", ftLogical}, {"D", ftDate},
      {"M", ftMemo},      {"E", ftExtended},  {"X", 77, 3}};
  int n = 0;
  for (THeaderForm form : {THeaderForm::hfCurrent, THeaderForm::hfKorvanel, THeaderForm::hfOldest}) {
    TODFTableBuilder b(form, all);
    for (int r = 0; r < 3; ++r) {
      b.AddRecord();
      TStructItem f;
      for (int i = 0; i < 12; ++i) {
        b.BindField(i, f);
        if (f.Type() == ftString) f.Setfs("ab" + std::to_string(r));
        else if (f.Type() == ftUnicode) f.Setfu(FromUtf8("\xc3\xa9t"));
        else if (f.Type() == ftChar) f.Setfc('a' + r);
        else if (f.Type() == ftMemo) f.Setfm(b.AddMemo(msText, std::vector<uint8_t>(5 + r, 'm'), 2, r));
        else f.SetNumber(r * 1000.25L - 7);
      }
      b.SetDeleted(r == 1);
    }
    std::vector<uint8_t> table = b.TableBytes(), memo = b.MemoBytes(), input(4);
    const uint32_t length = static_cast<uint32_t>(table.size());
    std::memcpy(input.data(), &length, 4);
    input.insert(input.end(), table.begin(), table.end());
    input.insert(input.end(), memo.begin(), memo.end());
    write("odf_table_fuzz", "table" + std::to_string(n++), input);
  }
  // Memo chains: the people's memo file with each record's memo field in front.
  TODFTableBuilder people = odffuzz::People();
  std::vector<uint8_t> memoFile = people.MemoBytes(), tableBytes = people.TableBytes();
  for (int r = 0; r < 5; ++r) {
    std::vector<uint8_t> input(9);
    TMemoField m;
    std::memcpy(&m, tableBytes.data() + 126 + 5 * 18 + r * people.RecordSize() + 29, 10);  // NOTE
    input[0] = m.mfStyle;
    std::memcpy(&input[1], &m.mfPosition, 4);
    std::memcpy(&input[5], &m.mfSize, 4);
    input.insert(input.end(), memoFile.begin(), memoFile.end());
    write("odf_memo_fuzz", "memo" + std::to_string(r), input);
  }
  // Indexes of every field, both header forms.
  const std::string path = odffuzz::Scratch("seed.odf");
  people.Write(FromUtf8(path));
  {
    TODFFile t(FromUtf8(path), kODFRead);
    int i = 0;
    for (const char* field : {"NAME", "AGE", "BORN", "CITY", "NOTE"})
      for (bool caseSensitive : {false, true}) {
        std::vector<uint8_t> index = BuildODFIndex(t, field, caseSensitive, !caseSensitive && i == 0);
        write("odf_index_fuzz", "index" + std::to_string(i++), index);
        std::vector<uint8_t> old(index.begin() + 4, index.begin() + 19);
        old.insert(old.end(), index.begin() + 23, index.end());
        write("odf_index_fuzz", "index" + std::to_string(i++), old);
      }
  }
  std::remove(path.c_str());
  std::remove(odffuzz::Scratch("seed.odm").c_str());
  const char* conditions[] = {
      "AGE = 5", "NAME = 'Bob' & AGE > 8", "AGE * 2 + 1 = 23", "UPPER(NAME) = \"ANNA\"",
      "YEAR(BORN) >= 1980 | DAY(BORN) = 1", "SUM(AGE) / RECCOUNT() > 6", "IIF(AGE % 2 = 1, 1, 0)",
      "LEFT(CITY, 2) = 'Bo' @ !RECNO()", "A1.AGE # people.AGE", "STRVCHANGE(NAME) <= DATESTR(BORN)",
      "((LEN(TRIM(NAME)) : 2 = 1)", "-AGE < -6"};
  int c = 0;
  for (const char* text : conditions)
    write("odf_find_fuzz", "find" + std::to_string(c++), std::vector<uint8_t>(text, text + std::strlen(text)));
}
