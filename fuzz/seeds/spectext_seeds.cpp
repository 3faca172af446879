// Seeds of the markup target: marked-up texts with equations in the text form written by the
// library's writer, each after a byte of wrap width.
#include <sys/stat.h>

#include <fstream>
#include <string>
#include <vector>

#include "support/equation_builders.h"

void WriteSpecTextSeeds(const std::string& outDir) {
  const std::string dir = outDir + "/spectext_fuzz";
  ::mkdir(dir.c_str(), 0755);
  auto large = zkwtest::LargeEquation(20);
  auto sample = zkwtest::SampleEquation();
  const zkw::ZString texts[] = {
      zkw::FromUtf8("x~-2~0 + y~_i~0 = ~Bbold~B ~Iitalic~I ~Uunder~U ~Yabc~Y ~Fdef~F"),
      zkw::FromUtf8("~Cff0000red~C000000 ~Mhigh~M ~Nlight~N~/soft~\\break\ttab\rline ~Pab~C12"),
      zkw::FromUtf8("a ~E") + zkwtest::TextForm(*large) + zkw::FromUtf8("~e b ~E") + zkwtest::TextForm(*sample) +
          zkw::FromUtf8("~e c ~E001"),
  };
  int n = 0;
  for (const zkw::ZString& text : texts) {
    std::vector<uint8_t> bytes{40};
    for (zkw::ZChar c : text) bytes.push_back(static_cast<uint8_t>(c & 0xFF)), bytes.push_back(static_cast<uint8_t>(c >> 8));
    std::ofstream(dir + "/text" + std::to_string(n++), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
}
