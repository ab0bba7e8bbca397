// How a process of the kit gives freed memory back to the system. The C library's own
// policy hands the free top of a heap back as soon as it passes 128 KiB, and re-faults
// those pages page by page when the next burst of messages needs them: a process that
// sends or answers requests of some kilobytes each, on several threads, did so for every
// subtree of requests, with a flush of every processor's address translations each time
// (a seventh of Quorvane's processor time in `--json` of 10,000 views). A heap now keeps
// up to kHeapTrimThreshold free at its top; blocks as large as the C library maps on
// their own (128 KiB and more) still go back to the system when they are freed. With
// its requests in flight, an analysis frees more than 8 MiB at a time, every few
// windows: the threshold is above that.
#include <malloc.h>
#include <stdlib.h>
#include <string.h>

namespace {

const size_t kHeapTrimThreshold = 32 * 1024 * 1024;


// Leaves a policy the user chose for the process alone.
bool
user_set_trimming()
{
	const char* tunables = getenv("GLIBC_TUNABLES");
	return getenv("MALLOC_TRIM_THRESHOLD_") != NULL
		|| (tunables != NULL && strstr(tunables, "trim_threshold") != NULL);
}


struct HeapPolicy {
	HeapPolicy()
	{
		if (!user_set_trimming())
			mallopt(M_TRIM_THRESHOLD, kHeapTrimThreshold);
	}
};

// Set as the kit is loaded, before the application's first allocation of its own.
const HeapPolicy stHeapPolicy;

} // namespace
