// Areas shared between the teams of one user (docs/kernel.md). An area's memory is a
// sealed memory file (memfd) that its team maps and keeps open; a record in the runtime
// directory's "areas" folder, named after the area's id, tells the user's other teams
// where to open it (/proc/<team>/fd/<fd>) to clone it.
#include <OS.h>

#include <errno.h>
#include <fcntl.h>
#include <string.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <map>
#include <mutex>
#include <string>

#include "app/AreaRecord.h"
#include "app/RecordFolder.h"
#include "app/RuntimeDirectory.h"

using BPrivate::AreaRecord;

namespace {

// The user's areas at once, counting every team's: ids go up to this.
const area_id kMaxAreas = 65536;

struct LocalArea {
	// The team that made it; a forked child has the mapping but not the area.
	team_id		team;
	int			fd;
	void*		address;
	size_t		size;
	uint32		lock;
	uint32		protection;
	std::string	name;
};

std::mutex stLock;
// Never destroyed: other threads may use areas while the process exits.
std::map<area_id, LocalArea>& stAreas = *new std::map<area_id, LocalArea>;


LocalArea*
local_area(area_id id)
{
	auto found = stAreas.find(id);
	if (found == stAreas.end() || found->second.team != getpid())
		return NULL;
	return &found->second;
}


// The record of id; false when there is none, or it is unreadable, or its team has ended
// (the record is then removed).
bool
read_record(const std::string& folder, area_id id, AreaRecord& record)
{
	char buffer[BPrivate::kMaxAreaRecordSize + 1];
	ssize_t length = BPrivate::read_record_file(folder, id, buffer, sizeof(buffer));
	if (length <= 0 || !BPrivate::parse_area_record(buffer, length, record))
		return false;
	if (!BPrivate::record_team_alive(record.team)) {
		unlink(BPrivate::record_path(folder, id).c_str());
		return false;
	}
	return true;
}


// Writes the record whole, then gives it its name: readers never see half a record.
// id < 0: under the first free id, which is returned.
area_id
publish_record(const std::string& folder, const AreaRecord& record, area_id id)
{
	return BPrivate::publish_record(folder, BPrivate::format_area_record(record), id, 1,
		kMaxAreas, [&](int32 candidate) {
			AreaRecord existing;
			return read_record(folder, candidate, existing);
		});
}


int
mmap_protection(uint32 protection)
{
	int result = PROT_NONE;
	if ((protection & B_READ_AREA) != 0)
		result |= PROT_READ;
	if ((protection & B_WRITE_AREA) != 0)
		result |= PROT_WRITE;
	return result;
}


// Maps size bytes of fd where addressSpec says; NULL when it cannot.
void*
map_area(int fd, size_t size, uint32 addressSpec, void* wanted, uint32 lock,
	uint32 protection)
{
	int flags = MAP_SHARED;
	void* hint = NULL;
	if (addressSpec == B_EXACT_ADDRESS || addressSpec == B_CLONE_ADDRESS) {
		flags |= MAP_FIXED_NOREPLACE;
		hint = wanted;
	} else if (addressSpec == B_BASE_ADDRESS)
		hint = wanted;
	// Locked areas are filled at once; Linux pins pages only for privileged processes.
	if (lock != B_NO_LOCK && lock != B_LAZY_LOCK)
		flags |= MAP_POPULATE;
	void* address = mmap(hint, size, mmap_protection(protection), flags, fd, 0);
	if (address == MAP_FAILED)
		return NULL;
	if ((flags & MAP_FIXED_NOREPLACE) != 0 && address != wanted) {
		munmap(address, size);
		return NULL;
	}
	if (addressSpec == B_BASE_ADDRESS && (uintptr_t)address < (uintptr_t)wanted) {
		munmap(address, size);
		return NULL;
	}
	return address;
}


// Checks that fd is a memory file of this user whose size cannot shrink under a mapping
// (which would make reading it crash); its size then.
bool
is_area_file(int fd, size_t& size)
{
	struct stat info;
	if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != geteuid())
		return false;
	int seals = fcntl(fd, F_GET_SEALS);
	if (seals < 0 || (seals & F_SEAL_SHRINK) == 0)
		return false;
	size = (size_t)info.st_size;
	return true;
}


// Records and maps a new area of this team on fd (which it takes).
area_id
add_area(const std::string& folder, int fd, void* address, size_t size, uint32 lock,
	uint32 protection, const char* name)
{
	AreaRecord record;
	record.team = getpid();
	record.fd = fd;
	record.size = size;
	record.lock = lock;
	record.protection = protection;
	record.address = (uintptr_t)address;
	record.name = std::string(name != NULL ? name : "").substr(0, B_OS_NAME_LENGTH - 1);
	area_id id = publish_record(folder, record, -1);
	if (id < 0) {
		munmap(address, size);
		close(fd);
		return id;
	}
	stAreas[id] = { getpid(), fd, address, size, lock, protection, record.name };
	return id;
}


status_t
republish(area_id id, const LocalArea& area)
{
	std::string folder;
	status_t status = BPrivate::areas_directory(folder);
	if (status != B_OK)
		return status;
	AreaRecord record;
	record.team = area.team;
	record.fd = area.fd;
	record.size = area.size;
	record.lock = area.lock;
	record.protection = area.protection;
	record.address = (uintptr_t)area.address;
	record.name = area.name;
	return publish_record(folder, record, id) == id ? B_OK : B_NO_MEMORY;
}


void
fill_info(area_id id, const AreaRecord& record, area_info* info)
{
	memset(info, 0, sizeof(*info));
	info->area = id;
	strncpy(info->name, record.name.c_str(), sizeof(info->name) - 1);
	info->size = record.size;
	info->lock = record.lock;
	info->protection = record.protection;
	info->team = record.team;
	info->ram_size = (uint32)std::min(record.size, (size_t)UINT32_MAX);
	info->address = (void*)record.address;
}


AreaRecord
record_of(const LocalArea& area)
{
	AreaRecord record;
	record.team = area.team;
	record.fd = area.fd;
	record.size = area.size;
	record.lock = area.lock;
	record.protection = area.protection;
	record.address = (uintptr_t)area.address;
	record.name = area.name;
	return record;
}


} // namespace


area_id
create_area(const char* name, void** startAddress, uint32 addressSpec, size_t size,
	uint32 lock, uint32 protection)
{
	if (startAddress == NULL || size == 0 || size % B_PAGE_SIZE != 0
		|| addressSpec > B_ANY_KERNEL_ADDRESS || lock > B_LOMEM)
		return B_BAD_VALUE;
	std::string folder;
	status_t status = BPrivate::areas_directory(folder);
	if (status != B_OK)
		return status;

	int fd = memfd_create(name != NULL && name[0] != '\0' ? name : "area",
		MFD_CLOEXEC | MFD_ALLOW_SEALING);
	if (fd < 0)
		return B_NO_MEMORY;
	if (ftruncate(fd, size) != 0 || fcntl(fd, F_ADD_SEALS, F_SEAL_SHRINK) != 0) {
		close(fd);
		return B_NO_MEMORY;
	}
	void* address = map_area(fd, size, addressSpec, *startAddress, lock, protection);
	if (address == NULL) {
		close(fd);
		return B_NO_MEMORY;
	}
	std::lock_guard<std::mutex> locker(stLock);
	area_id id = add_area(folder, fd, address, size, lock, protection, name);
	if (id >= 0)
		*startAddress = address;
	return id;
}


area_id
clone_area(const char* name, void** destAddress, uint32 addressSpec, uint32 protection,
	area_id source)
{
	if (destAddress == NULL || addressSpec > B_ANY_KERNEL_ADDRESS)
		return B_BAD_VALUE;
	std::string folder;
	status_t status = BPrivate::areas_directory(folder);
	if (status != B_OK)
		return status;

	std::lock_guard<std::mutex> locker(stLock);
	AreaRecord record;
	int fd = -1;
	if (LocalArea* area = local_area(source)) {
		record = record_of(*area);
		fd = fcntl(area->fd, F_DUPFD_CLOEXEC, 0);
	} else if (read_record(folder, source, record)) {
		// Without waiting: a record may name a descriptor that is not the area's.
		std::string path = "/proc/" + std::to_string(record.team) + "/fd/"
			+ std::to_string(record.fd);
		fd = open(path.c_str(), O_RDWR | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
	} else
		return B_BAD_VALUE;
	size_t fileSize = 0;
	if (fd < 0 || !is_area_file(fd, fileSize)) {
		if (fd >= 0)
			close(fd);
		return B_BAD_VALUE;
	}
	size_t size = std::min(record.size, fileSize);
	size -= size % B_PAGE_SIZE;
	void* wanted = addressSpec == B_CLONE_ADDRESS ? (void*)record.address : *destAddress;
	void* address = size > 0
		? map_area(fd, size, addressSpec, wanted, record.lock, protection) : NULL;
	if (address == NULL) {
		close(fd);
		return size > 0 ? B_NO_MEMORY : B_BAD_VALUE;
	}
	area_id id = add_area(folder, fd, address, size, record.lock, protection, name);
	if (id >= 0)
		*destAddress = address;
	return id;
}


area_id
find_area(const char* name)
{
	if (name == NULL)
		return B_BAD_VALUE;
	std::string folder;
	if (BPrivate::areas_directory(folder) != B_OK)
		return B_NAME_NOT_FOUND;
	for (area_id id : BPrivate::listed_record_ids(folder, kMaxAreas)) {
		AreaRecord record;
		if (read_record(folder, id, record) && record.name == name)
			return id;
	}
	return B_NAME_NOT_FOUND;
}


area_id
area_for(void* address)
{
	std::lock_guard<std::mutex> locker(stLock);
	for (const auto& [id, area] : stAreas) {
		if (area.team == getpid() && (uintptr_t)address >= (uintptr_t)area.address
			&& (uintptr_t)address - (uintptr_t)area.address < area.size)
			return id;
	}
	return B_ERROR;
}


status_t
delete_area(area_id id)
{
	std::lock_guard<std::mutex> locker(stLock);
	LocalArea* area = local_area(id);
	if (area == NULL)
		return B_BAD_VALUE;
	munmap(area->address, area->size);
	close(area->fd);
	stAreas.erase(id);
	std::string folder;
	if (BPrivate::areas_directory(folder) == B_OK)
		unlink(BPrivate::record_path(folder, id).c_str());
	return B_OK;
}


status_t
resize_area(area_id id, size_t newSize)
{
	if (newSize == 0 || newSize % B_PAGE_SIZE != 0)
		return B_BAD_VALUE;
	std::lock_guard<std::mutex> locker(stLock);
	LocalArea* area = local_area(id);
	if (area == NULL)
		return B_BAD_VALUE;
	if (newSize > area->size) {
		// The memory file only grows: its seal keeps the mappings of clones whole.
		struct stat info;
		if (fstat(area->fd, &info) != 0
			|| ((size_t)info.st_size < newSize && ftruncate(area->fd, newSize) != 0))
			return B_NO_MEMORY;
		// In place, as the platform's areas never move.
		if (mremap(area->address, area->size, newSize, 0) == MAP_FAILED)
			return B_NO_MEMORY;
	} else if (newSize < area->size)
		munmap((uint8*)area->address + newSize, area->size - newSize);
	area->size = newSize;
	return republish(id, *area);
}


status_t
set_area_protection(area_id id, uint32 newProtection)
{
	std::lock_guard<std::mutex> locker(stLock);
	LocalArea* area = local_area(id);
	if (area == NULL)
		return B_BAD_VALUE;
	if (mprotect(area->address, area->size, mmap_protection(newProtection)) != 0)
		return B_NOT_ALLOWED;
	area->protection = newProtection;
	return republish(id, *area);
}


status_t
_get_area_info(area_id id, area_info* info, size_t size)
{
	if (info == NULL || size != sizeof(area_info))
		return B_BAD_VALUE;
	{
		std::lock_guard<std::mutex> locker(stLock);
		if (LocalArea* area = local_area(id)) {
			fill_info(id, record_of(*area), info);
			return B_OK;
		}
	}
	std::string folder;
	AreaRecord record;
	if (BPrivate::areas_directory(folder) != B_OK || !read_record(folder, id, record))
		return B_BAD_VALUE;
	fill_info(id, record, info);
	return B_OK;
}


status_t
_get_next_area_info(team_id team, int32* cookie, area_info* info, size_t size)
{
	if (cookie == NULL || info == NULL || size != sizeof(area_info))
		return B_BAD_VALUE;
	if (team == 0)
		team = getpid();
	if (!BPrivate::record_team_alive(team))
		return B_BAD_TEAM_ID;
	std::string folder;
	if (BPrivate::areas_directory(folder) != B_OK)
		return B_ENTRY_NOT_FOUND;
	// The cookie is the last id listed.
	for (area_id id : BPrivate::listed_record_ids(folder, kMaxAreas)) {
		AreaRecord record;
		if (id <= *cookie || !read_record(folder, id, record) || record.team != team)
			continue;
		fill_info(id, record, info);
		*cookie = id;
		return B_OK;
	}
	return B_ENTRY_NOT_FOUND;
}
