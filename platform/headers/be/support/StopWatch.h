// <StopWatch.h> at its place in the Support Kit.
#include <StopWatch.h>
