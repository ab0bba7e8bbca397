// A fuzz target's own checks: a broken expectation stops the run as a crash would, so the
// fuzzer keeps the input that broke it.
#ifndef _FUZZ_CHECK_H
#define _FUZZ_CHECK_H

#include <stdlib.h>

inline void
Check(bool condition)
{
	if (!condition)
		abort();
}

#endif // _FUZZ_CHECK_H
