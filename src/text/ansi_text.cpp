#include "text/ansi_text.h"

#include <climits>
#include <stdexcept>

#include "platform/plat.h"

namespace zkw {

namespace {
int CheckedLength(size_t length) {
  if (length > static_cast<size_t>(INT_MAX) / 2) throw std::length_error("text too long");
  return static_cast<int>(length);
}
}  // namespace

std::string ToAnsi(ZStringView text) {
  if (text.empty()) return {};
  int length = CheckedLength(text.size());
  int needed = plat::WideCharToMultiByte(plat::CP_ACP, 0, text.data(), length, nullptr, 0,
                                         nullptr, nullptr);
  std::string out(static_cast<size_t>(needed > 0 ? needed : 0), '\0');
  if (needed > 0)
    plat::WideCharToMultiByte(plat::CP_ACP, 0, text.data(), length, out.data(), needed, nullptr,
                              nullptr);
  return out;
}

ZString FromAnsi(std::string_view text) {
  if (text.empty()) return {};
  int length = CheckedLength(text.size());
  int needed = plat::MultiByteToWideChar(plat::CP_ACP, 0, text.data(), length, nullptr, 0);
  ZString out(static_cast<size_t>(needed > 0 ? needed : 0), ZChar{0});
  if (needed > 0)
    plat::MultiByteToWideChar(plat::CP_ACP, 0, text.data(), length, out.data(), needed);
  return out;
}

}  // namespace zkw
