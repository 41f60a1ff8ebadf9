/* Compiled for a 32-bit target only: the header's assertions check the stored record offsets. */
#include "dnr.h"

_Static_assert(sizeof(void*) == 4, "compiled for a 32-bit target");
