// Block caches hand freed blocks out again, up to their count, for either allocator.
#include <BlockCache.h>

#include <gtest/gtest.h>

#include <string.h>

#include <set>
#include <thread>
#include <vector>


TEST(BlockCacheTest, SavedBlocksComeBackUpToTheCount)
{
	for (uint32 type : { B_OBJECT_CACHE, B_MALLOC_CACHE }) {
		SCOPED_TRACE(type);
		BBlockCache cache(2, 64, type);
		void* first = cache.Get(64);
		void* second = cache.Get(64);
		void* third = cache.Get(64);
		ASSERT_TRUE(first != NULL && second != NULL && third != NULL);
		memset(third, 0xab, 64);
		cache.Save(first, 64);
		cache.Save(second, 64);
		// The cache is full: this one is freed rather than kept.
		cache.Save(third, 64);
		std::set<void*> again = { cache.Get(64), cache.Get(64) };
		EXPECT_EQ(again, (std::set<void*>{ first, second }));
		for (void* block : again)
			cache.Save(block, 64);
	}
}


TEST(BlockCacheTest, OtherSizesAreAllocatedAndFreedDirectly)
{
	BBlockCache cache(4, 32, B_MALLOC_CACHE);
	char* large = (char*)cache.Get(1000);
	ASSERT_NE(large, nullptr);
	memset(large, 1, 1000);
	cache.Save(large, 1000);
	cache.Save(NULL, 32);
	void* block = cache.Get(32);
	cache.Save(block, 32);
	EXPECT_EQ(cache.Get(32), block);
	cache.Save(block, 32);
}


TEST(BlockCacheTest, ThreadsShareOneCache)
{
	BBlockCache cache(8, 16, B_OBJECT_CACHE);
	std::vector<std::thread> threads;
	for (int i = 0; i < 4; i++) {
		threads.emplace_back([&cache] {
			for (int round = 0; round < 1000; round++) {
				void* block = cache.Get(16);
				memset(block, round, 16);
				cache.Save(block, 16);
			}
		});
	}
	for (std::thread& thread : threads)
		thread.join();
}
