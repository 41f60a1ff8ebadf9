// The shared library is the engine archive linked whole; this unit only gives it a source.
#include "dnr.h"
