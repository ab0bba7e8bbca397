// fs_open_query and its companions: a QueryWalker behind a DIR* handle.
#include <fs_query.h>

#include <StorageDefs.h>

#include "storage/QueryPredicate.h"
#include "storage/QueryWalker.h"
#include "storage/StorageErrors.h"
#include "support/DirentRecord.h"

#include <errno.h>
#include <stddef.h>
#include <string.h>

#include <algorithm>
#include <memory>
#include <mutex>
#include <vector>

using namespace BPrivate;

namespace {

struct QueryHandle {
	QueryPredicate			predicate;
	std::unique_ptr<QueryWalker> walker;
	QueryMatch				match;
	DirentBuffer			entry;
};

// The open handles, so that get_path_for_dirent finds the one a record belongs to.
std::mutex stLock;
std::vector<QueryHandle*> stHandles;


QueryHandle*
find_handle(DIR* query)
{
	QueryHandle* handle = reinterpret_cast<QueryHandle*>(query);
	auto found = std::find(stHandles.begin(), stHandles.end(), handle);
	return found != stHandles.end() ? handle : NULL;
}

} // namespace


DIR*
fs_open_live_query(dev_t device, const char* query, uint32 flags, port_id port, int32 token)
{
	if ((flags & B_LIVE_QUERY) != 0) {
		errno = B_UNSUPPORTED;
		return NULL;
	}
	auto handle = std::make_unique<QueryHandle>();
	if (handle->predicate.SetTo(query) != B_OK) {
		errno = B_BAD_VALUE;
		return NULL;
	}
	if (QueryWalker::Roots(device).empty()) {
		errno = B_ENTRY_NOT_FOUND;
		return NULL;
	}
	handle->walker = std::make_unique<QueryWalker>(handle->predicate, device);
	std::lock_guard<std::mutex> lock(stLock);
	stHandles.push_back(handle.get());
	return reinterpret_cast<DIR*>(handle.release());
}


DIR*
fs_open_query(dev_t device, const char* query, uint32 flags)
{
	return fs_open_live_query(device, query, flags & ~B_LIVE_QUERY, -1, 0);
}


int
fs_close_query(DIR* query)
{
	std::lock_guard<std::mutex> lock(stLock);
	QueryHandle* handle = find_handle(query);
	if (handle == NULL) {
		errno = B_BAD_VALUE;
		return -1;
	}
	stHandles.erase(std::find(stHandles.begin(), stHandles.end(), handle));
	delete handle;
	return 0;
}


struct dirent*
fs_read_query(DIR* query)
{
	QueryHandle* handle;
	{
		std::lock_guard<std::mutex> lock(stLock);
		handle = find_handle(query);
	}
	if (handle == NULL) {
		errno = B_BAD_VALUE;
		return NULL;
	}
	status_t status = handle->walker->Next(&handle->match);
	if (status != B_OK)
		return NULL;
	const QueryMatch& match = handle->match;
	if (fill_dirent(&handle->entry.entry, sizeof(handle->entry), match.device, match.node,
			match.device, match.directory, match.name.c_str()) == 0) {
		errno = B_NAME_TOO_LONG;
		return NULL;
	}
	return &handle->entry.entry;
}


status_t
get_path_for_dirent(struct dirent* entry, char* buffer, size_t length)
{
	if (entry == NULL || buffer == NULL)
		return B_BAD_VALUE;
	std::lock_guard<std::mutex> lock(stLock);
	for (QueryHandle* handle : stHandles) {
		if (&handle->entry.entry != entry && (handle->match.node != entry->d_ino
				|| handle->match.name != entry->d_name))
			continue;
		if (handle->match.path.size() >= length)
			return B_NAME_TOO_LONG;
		strcpy(buffer, handle->match.path.c_str());
		return B_OK;
	}
	return B_ENTRY_NOT_FOUND;
}
