// Thread-local storage by index: each thread sees its own value at an index.
#include <TLS.h>
#include <OS.h>

#include <gtest/gtest.h>

namespace {

status_t
set_and_read(void* data)
{
	int32 index = *(int32*)data;
	if (tls_get(index) != nullptr)
		return B_ERROR;
	tls_set(index, (void*)0x2);
	return tls_get(index) == (void*)0x2 ? B_OK : B_ERROR;
}

} // namespace


TEST(ThreadLocalStorage, EachThreadHasItsOwnValue)
{
	int32 index = tls_allocate();
	ASSERT_GE(index, 0);
	tls_set(index, (void*)0x1);
	thread_id thread = spawn_thread(set_and_read, "tls", B_NORMAL_PRIORITY, &index);
	status_t result = B_ERROR;
	ASSERT_EQ(wait_for_thread(thread, &result), B_OK);
	EXPECT_EQ(result, B_OK);
	EXPECT_EQ(tls_get(index), (void*)0x1);
	EXPECT_EQ(*tls_address(index), (void*)0x1);
}


TEST(ThreadLocalStorage, IndexesNeverAllocatedAreRefused)
{
	EXPECT_EQ(tls_address(-1), nullptr);
	EXPECT_EQ(tls_address(TLS_MAX_KEYS), nullptr);
	tls_set(TLS_MAX_KEYS + 5, (void*)0x1);
	EXPECT_EQ(tls_get(TLS_MAX_KEYS + 5), nullptr);
}
