// A cache of equally sized memory blocks, for code that allocates and frees many of them:
// Save keeps up to blockCount freed blocks, which Get hands out again. Blocks of another
// size are allocated and freed directly. The blocks come from malloc (B_MALLOC_CACHE) or
// new[] (B_OBJECT_CACHE). Any thread may use a cache.
#ifndef _BLOCK_CACHE_H
#define _BLOCK_CACHE_H

#include <Locker.h>
#include <SupportDefs.h>

enum {
	B_OBJECT_CACHE = 0,
	B_MALLOC_CACHE = 1
};

class BBlockCache {
public:
	BBlockCache(uint32 blockCount, size_t blockSize, uint32 allocationType);
	virtual ~BBlockCache();

	// A block of blockSize bytes, or NULL when memory runs out.
	void* Get(size_t blockSize);
	// Gives back a block that Get returned for blockSize.
	void Save(void* pointer, size_t blockSize);

private:
	BBlockCache(const BBlockCache&) = delete;
	BBlockCache& operator=(const BBlockCache&) = delete;

	void* _Allocate(size_t size) const;
	void _Free(void* pointer) const;

	BLocker fLock;
	void** fFree;
	uint32 fFreeCount;
	uint32 fCapacity;
	size_t fBlockSize;
	uint32 fAllocationType;
};

#endif // _BLOCK_CACHE_H
