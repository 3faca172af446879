// Tables of 100,000 records beside SQLite on the same data: Seek on an index against an indexed
// lookup through a prepared statement, Find of a condition against a WHERE scan, and Go with
// three field reads against stepping rowids.
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "odf/odf_file.h"
#include "odf/odf_index.h"
#include "odf/odf_writer.h"

namespace {

constexpr int kRecords = 100000;

std::string TempFile(const char* name) {
  return std::string("/tmp/zkw-bench-") + std::to_string(::getpid()) + "-" + name;
}

// NAME string(16) "nameNNNNNN" in shuffled order, AGE long, SCORE real.
std::string NameOf(int i) {
  char buf[24];
  std::snprintf(buf, sizeof buf, "name%06d", static_cast<int>((static_cast<int64_t>(i) * 7919) % kRecords));
  return buf;
}

struct TData {
  std::string table, index;
  sqlite3* db = nullptr;
  TData() {
    using namespace zkw;
    table = TempFile("people.odf");
    index = TempFile("people.idx");
    TODFTableBuilder b(THeaderForm::hfCurrent, {{"NAME", ftString, 16}, {"AGE", ftLong}, {"SCORE", ftReal}});
    sqlite3_open(":memory:", &db);
    sqlite3_exec(db, "CREATE TABLE people(name TEXT, age INTEGER, score REAL); BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO people VALUES (?, ?, ?)", -1, &insert, nullptr);
    for (int i = 0; i < kRecords; ++i) {
      b.AddRecord();
      TStructItem f;
      b.BindField(0, f);
      f.Setfs(NameOf(i));
      b.BindField(1, f);
      f.Setfl(i % 90);
      b.BindField(2, f);
      f.Setfr(i * 0.5);
      sqlite3_bind_text(insert, 1, NameOf(i).c_str(), -1, SQLITE_TRANSIENT);
      sqlite3_bind_int(insert, 2, i % 90);
      sqlite3_bind_double(insert, 3, i * 0.5);
      sqlite3_step(insert);
      sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_exec(db, "COMMIT; CREATE INDEX people_name ON people(name)", nullptr, nullptr, nullptr);
    b.Write(FromUtf8(table));
    TODFFile t(FromUtf8(table), kODFRead);
    WriteODFIndex(t, "NAME", true, false, FromUtf8(index));
  }
  ~TData() {
    sqlite3_close(db);
    std::remove(table.c_str());
    std::remove(index.c_str());
  }
};

TData& Data() {
  static TData data;
  return data;
}

void BM_OdfSeek(benchmark::State& state) {
  zkw::TODFFile t(zkw::FromUtf8(Data().table), zkw::kODFRead);
  t.SetIndex(zkw::FromUtf8(Data().index), false);
  int i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(t.Seek(NameOf(i++ % kRecords)));
}
BENCHMARK(BM_OdfSeek);

void BM_SqliteIndexedLookup(benchmark::State& state) {
  sqlite3_stmt* s = nullptr;
  sqlite3_prepare_v2(Data().db, "SELECT rowid FROM people WHERE name = ?", -1, &s, nullptr);
  int i = 0;
  for (auto _ : state) {
    sqlite3_bind_text(s, 1, NameOf(i++ % kRecords).c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_step(s);
    benchmark::DoNotOptimize(sqlite3_column_int64(s, 0));
    sqlite3_reset(s);
  }
  sqlite3_finalize(s);
}
BENCHMARK(BM_SqliteIndexedLookup);

// A condition that holds for no record: the whole table is scanned.
void BM_OdfFindScan(benchmark::State& state) {
  zkw::TODFFile t(zkw::FromUtf8(Data().table), zkw::kODFRead);
  for (auto _ : state) benchmark::DoNotOptimize(t.Find(zkw::FromUtf8("AGE = 95")));
  state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_OdfFindScan)->Unit(benchmark::kMillisecond);

void BM_SqliteWhereScan(benchmark::State& state) {
  sqlite3_stmt* s = nullptr;
  sqlite3_prepare_v2(Data().db, "SELECT rowid FROM people WHERE age = 95 LIMIT 1", -1, &s, nullptr);
  for (auto _ : state) {
    benchmark::DoNotOptimize(sqlite3_step(s));
    sqlite3_reset(s);
  }
  sqlite3_finalize(s);
  state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_SqliteWhereScan)->Unit(benchmark::kMillisecond);

void BM_OdfGoAndRead3(benchmark::State& state) {
  zkw::TODFFile t(zkw::FromUtf8(Data().table), zkw::kODFRead);
  zkw::TStructItem *name = t.GetStructOfName("NAME"), *age = t.GetStructOfName("AGE"),
                   *score = t.GetStructOfName("SCORE");
  int i = 0;
  for (auto _ : state) {
    t.Go(1 + (i++ * 7919) % kRecords);
    benchmark::DoNotOptimize(name->Getfs());
    benchmark::DoNotOptimize(age->Getfl());
    benchmark::DoNotOptimize(score->Getfr());
  }
}
BENCHMARK(BM_OdfGoAndRead3);

void BM_SqliteRowidRead3(benchmark::State& state) {
  sqlite3_stmt* s = nullptr;
  sqlite3_prepare_v2(Data().db, "SELECT name, age, score FROM people WHERE rowid = ?", -1, &s, nullptr);
  int i = 0;
  for (auto _ : state) {
    sqlite3_bind_int64(s, 1, 1 + (i++ * 7919) % kRecords);
    sqlite3_step(s);
    benchmark::DoNotOptimize(sqlite3_column_text(s, 0));
    benchmark::DoNotOptimize(sqlite3_column_int(s, 1));
    benchmark::DoNotOptimize(sqlite3_column_double(s, 2));
    sqlite3_reset(s);
  }
  sqlite3_finalize(s);
}
BENCHMARK(BM_SqliteRowidRead3);

}  // namespace

BENCHMARK_MAIN();
