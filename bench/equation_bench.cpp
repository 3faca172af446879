// Equation forms on a 20,000-item tree (texts, fractions, roots with an index, superscripts)
// against nlohmann::json parsing and dumping the same tree as JSON (code, colours, version,
// children, stored fields).
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <nlohmann/json.hpp>

#include "common/byte_stream.h"
#include "support/equation_builders.h"

namespace {

constexpr int32_t kItems = 20000;

zkw::TEquation& Tree() {
  static std::unique_ptr<zkw::TEquation> tree = zkwtest::LargeEquation(kItems);
  return *tree;
}

nlohmann::json RowJson(const zkw::TEquation& row);

nlohmann::json ItemJson(zkw::TEquationItem& item) {
  nlohmann::json j = {{"code", item.ClassCode()}, {"color", item.FColor}, {"textColor", item.FTextColor},
                      {"version", item.FVersion}};
  if (item.HasChildren()) {
    nlohmann::json children = nlohmann::json::array();
    for (int32_t i = 0; i < item.ChildCount(); ++i) children.push_back(RowJson(*item.GetItem(i)));
    j["children"] = std::move(children);
  }
  zkw::TFieldList fields;
  item.StoredFields(fields);
  for (int i = 0; i < fields.n; ++i) {
    const zkw::TStoredField& f = fields.f[i];
    switch (f.kind) {
      case zkw::TStoredField::fkText: j[f.name] = zkw::ToUtf8(*static_cast<zkw::ZString*>(f.place)); break;
      case zkw::TStoredField::fkInt: j[f.name] = *static_cast<int32_t*>(f.place); break;
      case zkw::TStoredField::fkByte: j[f.name] = *static_cast<uint8_t*>(f.place); break;
      case zkw::TStoredField::fkBool: j[f.name] = *static_cast<bool*>(f.place); break;
    }
  }
  return j;
}

nlohmann::json RowJson(const zkw::TEquation& row) {
  nlohmann::json items = nlohmann::json::array();
  for (int32_t i = 0; i < row.Count(); ++i) items.push_back(ItemJson(*row.GetItem(i)));
  return items;
}

void BM_StreamWrite(benchmark::State& state) {
  for (auto _ : state) {
    zkw::TMemoryStream stream;
    Tree().Write(stream);
    benchmark::DoNotOptimize(stream.Bytes().data());
  }
}

void BM_StreamRead(benchmark::State& state) {
  const std::vector<uint8_t> bytes = zkwtest::StreamBytes(Tree());
  for (auto _ : state) {
    zkw::TMemoryStream stream(bytes);
    zkw::TEquation e;
    if (!e.Read(stream)) state.SkipWithError("read failed");
  }
}

void BM_BufferWrite(benchmark::State& state) {
  std::vector<uint8_t> bytes(static_cast<size_t>(Tree().DataSize()));
  for (auto _ : state) {
    Tree().SaveToBuffer(bytes.data());
    benchmark::DoNotOptimize(bytes.data());
  }
}

void BM_BufferRead(benchmark::State& state) {
  const std::vector<uint8_t> bytes = zkwtest::BufferBytes(Tree());
  for (auto _ : state) {
    zkw::TEquation e;
    if (!e.LoadFromBuffer(bytes.data(), bytes.size())) state.SkipWithError("read failed");
  }
}

void BM_TextWrite(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(zkwtest::TextForm(Tree()));
}

void BM_TextRead(benchmark::State& state) {
  const zkw::ZString text = zkwtest::TextForm(Tree());
  for (auto _ : state) {
    zkw::TEquation e;
    int32_t index = 1;
    if (!e.ImportFrom(text, index)) state.SkipWithError("read failed");
  }
}

void BM_JsonDump(benchmark::State& state) {
  const nlohmann::json j = RowJson(Tree());
  for (auto _ : state) benchmark::DoNotOptimize(j.dump());
}

void BM_JsonParse(benchmark::State& state) {
  const std::string text = RowJson(Tree()).dump();
  for (auto _ : state) benchmark::DoNotOptimize(nlohmann::json::parse(text));
}

BENCHMARK(BM_StreamWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StreamRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BufferWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BufferRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TextWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TextRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JsonDump)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JsonParse)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
