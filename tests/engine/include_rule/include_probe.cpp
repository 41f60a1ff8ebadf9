// Compiled on one engine folder's include path with one header: the include-rule tests expect the
// header to be found when the folder may see it and to be missing when it may not.
#include DNR_PROBE_HEADER
