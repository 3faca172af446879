// Start-up work of the library, done once when it is loaded, before any export runs: tables
// that are pure computation are built here. Work that loads other modules waits for first use
// (loading a library while this one is being loaded can deadlock on Windows).
#include "platform/plat.h"
#include "player/kinds/wave_kinds.h"
#include "player/window/animator_window.h"
#include "script/execute.h"
#include "text/text_tables.h"

namespace {

struct LibraryStart {
  LibraryStart() {
    zkw::InitTextTables();
    // Scripts run through the script engine (already set by constant initialisation).
    zkw::InstallScriptEngine();
    // The animation engine's random seed and tangent table.
    zkw::StartAnimationEngine();
    // Hosts create player windows by class name as soon as the library is loaded.
    zkw::RegisterPlayerWindowClass(plat::LibraryModule());
  }
} gLibraryStart;

}  // namespace
