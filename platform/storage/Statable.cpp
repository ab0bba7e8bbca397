#include <Statable.h>

#include <Node.h>


BStatable::~BStatable()
{
}


bool
BStatable::IsFile() const
{
	struct stat info;
	return GetStat(&info) == B_OK && S_ISREG(info.st_mode);
}


bool
BStatable::IsDirectory() const
{
	struct stat info;
	return GetStat(&info) == B_OK && S_ISDIR(info.st_mode);
}


bool
BStatable::IsSymLink() const
{
	struct stat info;
	return GetStat(&info) == B_OK && S_ISLNK(info.st_mode);
}


namespace {

// Reads one field of the node's stat record through get.
template<typename Value, typename Getter>
status_t
get_field(const BStatable& statable, Value* value, Getter get)
{
	if (value == NULL)
		return B_BAD_VALUE;
	struct stat info;
	status_t status = statable.GetStat(&info);
	if (status == B_OK)
		*value = get(info);
	return status;
}

} // namespace


status_t
BStatable::GetNodeRef(node_ref* ref) const
{
	status_t status = get_field(*this, ref, [](const struct stat& info) {
		return node_ref(info.st_dev, info.st_ino);
	});
	if (status == B_OK)
		remember_node(*ref);
	return status;
}


status_t
BStatable::GetOwner(uid_t* owner) const
{
	return get_field(*this, owner, [](const struct stat& info) { return info.st_uid; });
}


status_t
BStatable::SetOwner(uid_t owner)
{
	struct stat info = {};
	info.st_uid = owner;
	return set_stat(info, B_STAT_SET_OWNER);
}


status_t
BStatable::GetGroup(gid_t* group) const
{
	return get_field(*this, group, [](const struct stat& info) { return info.st_gid; });
}


status_t
BStatable::SetGroup(gid_t group)
{
	struct stat info = {};
	info.st_gid = group;
	return set_stat(info, B_STAT_SET_GROUP);
}


status_t
BStatable::GetPermissions(mode_t* permissions) const
{
	return get_field(*this, permissions,
		[](const struct stat& info) { return (mode_t)(info.st_mode & ~S_IFMT); });
}


status_t
BStatable::SetPermissions(mode_t permissions)
{
	struct stat info = {};
	info.st_mode = permissions & ~S_IFMT;
	return set_stat(info, B_STAT_SET_MODE);
}


status_t
BStatable::GetSize(off_t* size) const
{
	return get_field(*this, size, [](const struct stat& info) { return info.st_size; });
}


status_t
BStatable::GetModificationTime(time_t* modificationTime) const
{
	return get_field(*this, modificationTime,
		[](const struct stat& info) { return info.st_mtime; });
}


status_t
BStatable::SetModificationTime(time_t modificationTime)
{
	struct stat info = {};
	info.st_mtime = modificationTime;
	return set_stat(info, B_STAT_SET_MTIME);
}


status_t
BStatable::GetCreationTime(time_t* creationTime) const
{
	if (creationTime == NULL)
		return B_BAD_VALUE;
	if (get_birth_time(creationTime) == B_OK)
		return B_OK;
	return get_field(*this, creationTime, [](const struct stat& info) {
		return info.st_mtime < info.st_ctime ? info.st_mtime : info.st_ctime;
	});
}


status_t
BStatable::SetCreationTime(time_t)
{
	struct stat info;
	status_t status = GetStat(&info);
	return status != B_OK ? status : B_UNSUPPORTED;
}


status_t
BStatable::GetAccessTime(time_t* accessTime) const
{
	return get_field(*this, accessTime, [](const struct stat& info) { return info.st_atime; });
}


status_t
BStatable::SetAccessTime(time_t accessTime)
{
	struct stat info = {};
	info.st_atime = accessTime;
	return set_stat(info, B_STAT_SET_ATIME);
}
