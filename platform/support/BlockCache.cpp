#include <BlockCache.h>

#include <stdlib.h>

#include <new>


BBlockCache::BBlockCache(uint32 blockCount, size_t blockSize, uint32 allocationType)
	:
	fLock("block cache"),
	fFree(NULL),
	fFreeCount(0),
	fCapacity(0),
	fBlockSize(blockSize),
	fAllocationType(allocationType)
{
	// The platform's cache starts filled; so does this one, as far as memory allows.
	fFree = (void**)malloc(sizeof(void*) * (size_t)blockCount);
	if (fFree == NULL)
		return;
	fCapacity = blockCount;
	for (uint32 i = 0; i < blockCount && blockSize > 0; i++) {
		void* block = _Allocate(blockSize);
		if (block == NULL)
			break;
		fFree[fFreeCount++] = block;
	}
}


BBlockCache::~BBlockCache()
{
	for (uint32 i = 0; i < fFreeCount; i++)
		_Free(fFree[i]);
	free(fFree);
}


void*
BBlockCache::Get(size_t blockSize)
{
	void* block = NULL;
	if (blockSize == fBlockSize && fLock.Lock()) {
		if (fFreeCount > 0)
			block = fFree[--fFreeCount];
		fLock.Unlock();
	}
	return block != NULL ? block : _Allocate(blockSize);
}


void
BBlockCache::Save(void* pointer, size_t blockSize)
{
	if (pointer == NULL)
		return;
	bool kept = false;
	if (blockSize == fBlockSize && fLock.Lock()) {
		if (fFreeCount < fCapacity) {
			fFree[fFreeCount++] = pointer;
			kept = true;
		}
		fLock.Unlock();
	}
	if (!kept)
		_Free(pointer);
}


void*
BBlockCache::_Allocate(size_t size) const
{
	if (fAllocationType == B_MALLOC_CACHE)
		return malloc(size);
	return new(std::nothrow) char[size];
}


void
BBlockCache::_Free(void* pointer) const
{
	if (fAllocationType == B_MALLOC_CACHE)
		free(pointer);
	else
		delete[] (char*)pointer;
}
