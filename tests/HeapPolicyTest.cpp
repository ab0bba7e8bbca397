// How a process of the kit gives freed memory back: a burst of small blocks freed
// together stays at the top of the heap, ready for the next burst, instead of going back
// to the system and being faulted in again page by page.
#include <malloc.h>
#include <stdlib.h>

#include <vector>

#include <gtest/gtest.h>

#include <OS.h>

#include "SanitizedBuild.h"


TEST(HeapPolicy, ABurstOfSixteenMegabytesFreedStaysInTheHeap)
{
	if (kSanitizedBuild)
		GTEST_SKIP() << "the sanitizer's allocator keeps its own policy";
	// A call into the kit, so that it is loaded whatever the linker keeps.
	system_info info;
	ASSERT_EQ(get_system_info(&info), B_OK);

	// Blocks of 4 KiB each, far below what the C library maps on its own, freed last
	// first so that they merge into the top of the main heap as they go.
	const size_t kBlock = 4096;
	const size_t kBurst = 16 * 1024 * 1024;
	std::vector<void*> blocks;
	for (size_t total = 0; total < kBurst; total += kBlock) {
		void* block = malloc(kBlock);
		ASSERT_NE(block, nullptr);
		blocks.push_back(block);
	}
	// arena: what the heaps hold from the system, used or free.
	size_t held = mallinfo2().arena;
	for (auto it = blocks.rbegin(); it != blocks.rend(); ++it)
		free(*it);

	EXPECT_EQ(mallinfo2().arena, held);
}
