#include "stage_caches.h"

namespace dnr {

StageCaches& stageCaches() {
    static StageCaches caches;
    return caches;
}

}  // namespace dnr
