// zkw odf: build, dump, index and info as a user runs them; dumps read by Python's csv and json.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "support/test_support.h"

namespace {

std::string Base() {
  return zkwtest::TempPath(::testing::UnitTest::GetInstance()->current_test_info()->name());
}

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// Runs a shell command; its exit status, standard output and error.
int Shell(const std::string& command, std::string* out = nullptr, std::string* err = nullptr) {
  const std::string o = Base() + ".stdout", e = Base() + ".stderr";
  int raw = std::system((command + " >" + o + " 2>" + e + " </dev/null").c_str());
  if (out) *out = ReadText(o);
  if (err) *err = ReadText(e);
  return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

const char* kSource =
    "_deleted,NAME:string:12,INITIAL:char,CITY:unicode:8,B:byte,W:word,S:short,L:long,"
    "PRICE:real:6:2,X:extended,OK:logical,BORN:date,NOTE:memo,PIC:memo\r\n"
    "0,Anna,A,H\xe1\xbb\x93 T\xc3\xa2y,1,65535,-32768,2147483647,1.5,0.1,T,2000-02-29,\"two\r\nlines, \"\"quoted\"\"\",\r\n"
    "1,\"Bob, Jr\",,,0,0,0,0,0,0,F,,@@at,\r\n"
    "0,Z\xc3\xa9,\xc3\xa9,,255,1,-1,-5,-1e+10,-2.5,F,1970-12-31,,\r\n";

}  // namespace

TEST(OdfTool, DumpThenBuildGivesTheSameBytesInEveryForm) {
  const std::string zkw = ZKW_TOOL, base = Base();
  std::ofstream(base + ".csv", std::ios::binary) << kSource;
  for (int form : {3, 2, 1}) {
    const std::string t1 = base + "1.odf", t2 = base + "2.odf", f = " --form " + std::to_string(form);
    ASSERT_EQ(Shell(zkw + " odf build " + base + ".csv " + t1 + f), 0) << form;
    std::string dump;
    ASSERT_EQ(Shell(zkw + " odf dump " + t1, &dump), 0);
    std::ofstream(base + "2.csv", std::ios::binary) << dump;
    EXPECT_EQ(dump, kSource) << form;
    ASSERT_EQ(Shell(zkw + " odf build " + base + "2.csv " + t2 + f), 0);
    EXPECT_EQ(zkwtest::ReadFileBytes(t1), zkwtest::ReadFileBytes(t2)) << form;
    EXPECT_EQ(zkwtest::ReadFileBytes(base + "1.odm"), zkwtest::ReadFileBytes(base + "2.odm")) << form;
  }
  // Python reads both dumps.
  const std::string script =
      "import csv, json, sys\n"
      "rows = list(csv.reader(open(sys.argv[1], newline='', encoding='utf-8')))\n"
      "doc = json.load(open(sys.argv[2], encoding='utf-8'))\n"
      "assert rows[0][1] == 'NAME:string:12' and rows[1][12] == 'two\\r\\nlines, \"quoted\"', rows\n"
      "assert rows[2][1] == 'Bob, Jr' and rows[3][1] == 'Z\\u00e9' and rows[1][3] == 'H\\u1ed3 T\\u00e2y'\n"
      "assert len(doc['records']) == 3 and doc['records'][1]['_deleted'] is True\n"
      "assert doc['records'][0]['PRICE'] == '1.5' and doc['fields'][7] == 'PRICE:real:6:2'\n";
  std::ofstream(base + ".py") << script;
  ASSERT_EQ(Shell(zkw + " odf dump " + base + "1.odf --json >" + base + ".json; true"), 0);
  std::string err;
  EXPECT_EQ(Shell("python3 " + base + ".py " + base + "2.csv " + base + ".json", nullptr, &err), 0) << err;
}

TEST(OdfTool, BuildNamesTheCellThatDoesNotFitAndWritesNothing) {
  const std::string zkw = ZKW_TOOL, base = Base();
  struct Case {
    const char* row;
    const char* message;
  };
  const Case cases[] = {
      {"0,abcdefghijk,1", "row 2, column 2 (N:string:10)"},
      {"0,a,256", "row 2, column 3 (B:byte)"},
      {"2,a,1", "row 2, column 1 (_deleted)"},
      {"0,a", "row 2, column 3"},
  };
  for (const Case& c : cases) {
    std::ofstream(base + ".csv", std::ios::binary) << "_deleted,N:string:10,B:byte\r\n" << c.row << "\r\n";
    std::remove((base + ".odf").c_str());
    std::string err;
    EXPECT_EQ(Shell(zkw + " odf build " + base + ".csv " + base + ".odf", nullptr, &err), 1) << c.row;
    EXPECT_NE(err.find(c.message), std::string::npos) << err;
    EXPECT_TRUE(zkwtest::ReadFileBytes(base + ".odf").empty()) << c.row;
  }
}

TEST(OdfTool, IndexOrdersTheDumpAndInfoReportsCountsAndIndexState) {
  const std::string zkw = ZKW_TOOL, base = Base();
  std::ofstream(base + ".csv", std::ios::binary) << kSource;
  ASSERT_EQ(Shell(zkw + " odf build " + base + ".csv " + base + ".odf"), 0);
  ASSERT_EQ(Shell(zkw + " odf index " + base + ".odf L " + base + ".idx"), 0);
  std::string dump;
  ASSERT_EQ(Shell(zkw + " odf dump " + base + ".odf --index " + base + ".idx", &dump), 0);
  EXPECT_LT(dump.find("\r\n0,Z"), dump.find("\r\n1,\"Bob")) << dump;
  EXPECT_LT(dump.find("\r\n1,\"Bob"), dump.find("\r\n0,Anna")) << dump;
  std::string info;
  ASSERT_EQ(Shell(zkw + " odf info " + base + ".odf --index " + base + ".idx", &info), 0);
  EXPECT_NE(info.find("records: 3 (in the file: 3)"), std::string::npos) << info;
  EXPECT_NE(info.find("deleted: 1 stored, 1 counted"), std::string::npos) << info;
  EXPECT_NE(info.find("2 memos, 0 broken chains"), std::string::npos) << info;
  EXPECT_NE(info.find("index state: sound"), std::string::npos) << info;
  std::string err;
  EXPECT_EQ(Shell(zkw + " odf index " + base + ".odf NOPE " + base + ".idx", nullptr, &err), 1);
  EXPECT_NE(err.find("no field NOPE"), std::string::npos) << err;
}
