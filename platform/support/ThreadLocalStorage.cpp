// tls_allocate and the rest: an array of values per thread, and a count of the indexes
// handed out.
#include <TLS.h>

#include <atomic>

namespace {

std::atomic<int32> stAllocated{0};
thread_local void* tlValues[TLS_MAX_KEYS];


bool
valid(int32 index)
{
	return index >= 0 && index < stAllocated.load() && index < TLS_MAX_KEYS;
}

} // namespace


int32
tls_allocate(void)
{
	int32 index = stAllocated.load();
	do {
		if (index >= TLS_MAX_KEYS)
			return B_NO_MEMORY;
	} while (!stAllocated.compare_exchange_weak(index, index + 1));
	return index;
}


void*
tls_get(int32 index)
{
	return valid(index) ? tlValues[index] : nullptr;
}


void**
tls_address(int32 index)
{
	return valid(index) ? &tlValues[index] : nullptr;
}


void
tls_set(int32 index, void* value)
{
	if (valid(index))
		tlValues[index] = value;
}
