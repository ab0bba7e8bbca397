// The resources of a file: typed, numbered and optionally named blocks of data that travel
// inside an executable. A BResources works on its own copy of the file it is given; opened
// without clobbering, it reads what the file holds and writes nothing until a change is
// made and synced. Not locked: one thread at a time.
#ifndef _RESOURCES_H
#define _RESOURCES_H

#include <File.h>
#include <SupportDefs.h>

namespace BPrivate {
class ResourceItemSet;
}

class BResources {
public:
								BResources();
	// Fills from file as SetTo does; check InitCheck.
								BResources(const BFile* file, bool clobber = false);
	virtual						~BResources();

	// Reads the resources of file. With clobber, the file's resources (or, for a file that
	// is neither an executable nor a resource file, its whole contents) are replaced by an
	// empty set at the next Sync. Without it, a file that holds no valid container fails
	// with B_BAD_DATA and is left untouched.
			status_t			SetTo(const BFile* file, bool clobber = false);
	// Writes pending changes, then forgets the file.
			void				Unset();
			status_t			InitCheck() const;

			const BFile&		File() const;

	// The data stays owned by this object until the resource is removed or the object is
	// unset; outSize may be NULL. NULL when there is no such resource.
			const void*			LoadResource(type_code type, int32 id, size_t* outSize);
			const void*			LoadResource(type_code type, const char* name,
									size_t* outSize);

	// The older calls: a copy of the data that the caller frees with free(); NULL when
	// there is no such resource or no memory.
			void*				FindResource(type_code type, int32 id,
									size_t* lengthFound);
			void*				FindResource(type_code type, const char* name,
									size_t* lengthFound);

			bool				HasResource(type_code type, int32 id);
			bool				HasResource(type_code type, const char* name);

	// Each out parameter may be NULL. Names are "" for unnamed resources and stay valid as
	// long as the data does.
			bool				GetResourceInfo(int32 byIndex, type_code* typeFound,
									int32* idFound, const char** nameFound,
									size_t* lengthFound);
			bool				GetResourceInfo(type_code byType, int32 andIndex,
									int32* idFound, const char** nameFound,
									size_t* lengthFound);
			bool				GetResourceInfo(type_code byType, int32 andId,
									const char** nameFound, size_t* lengthFound);
			bool				GetResourceInfo(type_code byType, const char* andName,
									int32* idFound, size_t* lengthFound);

	// The writing side. A resource of the same type and id is replaced. Changes need a
	// writable file and reach it at Sync (or when the object is unset or deleted).
			status_t			AddResource(type_code type, int32 id, const void* data,
									size_t length, const char* name = NULL);
			status_t			RemoveResource(const void* resource);
			status_t			RemoveResource(type_code type, int32 id);

	// Part of a resource: ReadResource copies up to length bytes from offset (B_OK also
	// past the end, copying less); WriteResource puts data at offset, growing the
	// resource (a gap reads as zeros). B_ENTRY_NOT_FOUND for no such resource.
			status_t			ReadResource(type_code type, int32 id, void* data,
									off_t offset, size_t length);
			status_t			WriteResource(type_code type, int32 id, const void* data,
									off_t offset, size_t length);
	// Adds every resource of fromFile, replacing those of the same type and id.
			status_t			MergeFrom(BFile* fromFile);
	// Loads every resource of type (every resource for B_ANY_TYPE) into memory now.
			status_t			PreloadResourceType(type_code type = 0);

	// Makes file (writable) the one the resources are written to, replacing its resources,
	// and writes them there.
			status_t			WriteTo(BFile* file);
			status_t			Sync();

private:
								BResources(const BResources&);
			BResources&			operator=(const BResources&);

			BFile				fFile;
			BPrivate::ResourceItemSet* fItems;
			off_t				fContainerStart;
			bool				fDirty;
			status_t			fInitStatus;
};

#endif // _RESOURCES_H
