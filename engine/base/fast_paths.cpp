#include "fast_paths.h"

namespace dnr::fast {
namespace {

// Read by the engine thread only; tests change it between runs.
Settings gSettings;

}  // namespace

const Settings& settings() {
    return gSettings;
}

Settings setSettings(const Settings& s) {
    const Settings previous = gSettings;
    gSettings = s;
    return previous;
}

}  // namespace dnr::fast
