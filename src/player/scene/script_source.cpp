#include "player/scene/script_source.h"

#include <algorithm>

#include "player/scene/record_io.h"

namespace zkw {

std::string TScriptList::Text() const {
  auto end = std::find(Record.begin(), Record.end(), uint8_t{0});
  return std::string(Record.begin(), end);
}

std::unique_ptr<TScriptList> TScriptList::FromText(const std::string& text) {
  return std::make_unique<TScriptList>(TRecordWriter::MakeTextRecord(text));
}

}  // namespace zkw
