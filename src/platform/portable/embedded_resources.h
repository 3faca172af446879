// The table of resources compiled into the Linux library (generated from res/ at build time).
#pragma once
#include <cstddef>
#include <cstdint>

namespace plat::portable {

struct EmbeddedResource {
  const char* type;  // type name, or "#n" for an integer type
  const char* name;  // resource name, or "#n" for an integer identifier
  const uint8_t* data;
  uint32_t size;
};

extern const EmbeddedResource kEmbeddedResources[];
extern const size_t kEmbeddedResourceCount;

}  // namespace plat::portable
