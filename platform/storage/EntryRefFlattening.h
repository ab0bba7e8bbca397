// entry_ref as an item of a message (docs/entry-ref-format.md). The flattened form carries
// the directory's path as a hint, checked against the device and inode on arrival, so
// that another process of the same user can open the same file.
#ifndef _KIT_ENTRY_REF_FLATTENING_H
#define _KIT_ENTRY_REF_FLATTENING_H

#include <Entry.h>

namespace BPrivate {

size_t FlattenedEntryRefSize(const entry_ref& ref);
// buffer holds FlattenedEntryRefSize(ref) bytes; it was computed just before, so that the
// hint is the same.
void FlattenEntryRef(const entry_ref& ref, void* buffer, size_t size);
// B_BAD_DATA for anything malformed; ref is left unchanged then.
status_t UnflattenEntryRef(const void* buffer, size_t size, entry_ref* ref);

} // namespace BPrivate

#endif // _KIT_ENTRY_REF_FLATTENING_H
