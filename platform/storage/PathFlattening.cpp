// BPath as a flattenable: the entry_ref of its entry in the kit's entry_ref format.
#include <Path.h>

#include <Entry.h>
#include <TypeConstants.h>

#include "storage/EntryRefFlattening.h"


namespace {

// The ref a path flattens as: its entry's, or an empty one for no path.
entry_ref
ref_for(const BPath& path)
{
	entry_ref ref;
	if (path.InitCheck() == B_OK && get_ref_for_path(path.Path(), &ref) != B_OK)
		ref = entry_ref();
	return ref;
}

} // namespace


bool
BPath::IsFixedSize() const
{
	return false;
}


type_code
BPath::TypeCode() const
{
	return B_REF_TYPE;
}


ssize_t
BPath::FlattenedSize() const
{
	return BPrivate::FlattenedEntryRefSize(ref_for(*this));
}


status_t
BPath::Flatten(void* buffer, ssize_t size) const
{
	if (buffer == NULL)
		return B_BAD_VALUE;
	entry_ref ref = ref_for(*this);
	if (InitCheck() == B_OK && ref.name == NULL)
		return B_ENTRY_NOT_FOUND;
	size_t needed = BPrivate::FlattenedEntryRefSize(ref);
	if (size < 0 || (size_t)size < needed)
		return B_BAD_VALUE;
	BPrivate::FlattenEntryRef(ref, buffer, needed);
	return B_OK;
}


bool
BPath::AllowsTypeCode(type_code code) const
{
	return code == B_REF_TYPE;
}


status_t
BPath::Unflatten(type_code code, const void* buffer, ssize_t size)
{
	if (code != B_REF_TYPE || buffer == NULL || size < 0)
		return B_BAD_VALUE;
	entry_ref ref;
	status_t status = BPrivate::UnflattenEntryRef(buffer, size, &ref);
	if (status != B_OK)
		return status;
	if (ref.name == NULL) {
		Unset();
		return B_OK;
	}
	return SetTo(&ref);
}
