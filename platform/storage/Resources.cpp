#include <Resources.h>

#include "storage/ResourceContainer.h"
#include "storage/ResourceItemSet.h"

#include <new>
#include <stdlib.h>

#include <string.h>

using BPrivate::ResourceItem;
using BPrivate::ResourceItemList;
using BPrivate::ResourceItemSet;


BResources::BResources()
	:
	fItems(new ResourceItemSet),
	fContainerStart(0),
	fDirty(false),
	fInitStatus(B_NO_INIT)
{
}


BResources::BResources(const BFile* file, bool clobber)
	:
	fItems(new ResourceItemSet),
	fContainerStart(0),
	fDirty(false),
	fInitStatus(B_NO_INIT)
{
	SetTo(file, clobber);
}


BResources::~BResources()
{
	Unset();
	delete fItems;
}


status_t
BResources::SetTo(const BFile* file, bool clobber)
{
	Unset();
	if (file == NULL) {
		fInitStatus = B_BAD_VALUE;
		return fInitStatus;
	}
	if (file->InitCheck() != B_OK) {
		fInitStatus = file->InitCheck();
		return fInitStatus;
	}

	fFile = *file;
	fInitStatus = fFile.InitCheck();
	if (fInitStatus != B_OK)
		return fInitStatus;

	ResourceItemList items;
	status_t status = BPrivate::read_resource_container(fFile, &fContainerStart, &items);
	if (clobber) {
		if (!fFile.IsWritable()) {
			fFile.Unset();
			fInitStatus = B_NOT_ALLOWED;
			return fInitStatus;
		}
		// The old resources go whatever state they were in; the new set starts empty.
		if (status != B_OK)
			fContainerStart = BPrivate::clobber_position(fFile);
		fDirty = true;
		return B_OK;
	}
	if (status != B_OK) {
		fFile.Unset();
		fInitStatus = status;
		return status;
	}
	fItems->Adopt(items);
	return B_OK;
}


void
BResources::Unset()
{
	if (fDirty)
		Sync();
	fItems->MakeEmpty();
	fFile.Unset();
	fContainerStart = 0;
	fDirty = false;
	fInitStatus = B_NO_INIT;
}


status_t
BResources::InitCheck() const
{
	return fInitStatus;
}


const BFile&
BResources::File() const
{
	return fFile;
}


const void*
BResources::LoadResource(type_code type, int32 id, size_t* outSize)
{
	ResourceItem* item = fItems->Find(type, id);
	if (item == NULL)
		return NULL;
	if (outSize != NULL)
		*outSize = item->data.size();
	return item->data.data();
}


namespace {

void*
copy_resource(const void* data, size_t size, size_t* lengthFound)
{
	if (data == NULL)
		return NULL;
	// malloc(0) may answer NULL, which would read as "no such resource".
	void* copy = malloc(size > 0 ? size : 1);
	if (copy == NULL)
		return NULL;
	memcpy(copy, data, size);
	if (lengthFound != NULL)
		*lengthFound = size;
	return copy;
}

} // namespace


void*
BResources::FindResource(type_code type, int32 id, size_t* lengthFound)
{
	size_t size = 0;
	const void* data = LoadResource(type, id, &size);
	return copy_resource(data, size, lengthFound);
}


void*
BResources::FindResource(type_code type, const char* name, size_t* lengthFound)
{
	size_t size = 0;
	const void* data = LoadResource(type, name, &size);
	return copy_resource(data, size, lengthFound);
}


const void*
BResources::LoadResource(type_code type, const char* name, size_t* outSize)
{
	ResourceItem* item = fItems->Find(type, name);
	if (item == NULL)
		return NULL;
	if (outSize != NULL)
		*outSize = item->data.size();
	return item->data.data();
}


bool
BResources::HasResource(type_code type, int32 id)
{
	return fItems->Find(type, id) != NULL;
}


bool
BResources::HasResource(type_code type, const char* name)
{
	return fItems->Find(type, name) != NULL;
}


bool
BResources::GetResourceInfo(int32 byIndex, type_code* typeFound, int32* idFound,
	const char** nameFound, size_t* lengthFound)
{
	const ResourceItemList& items = fItems->Items();
	if (byIndex < 0 || (size_t)byIndex >= items.size())
		return false;
	const ResourceItem& item = *items[byIndex];
	if (typeFound != NULL)
		*typeFound = item.type;
	if (idFound != NULL)
		*idFound = item.id;
	if (nameFound != NULL)
		*nameFound = item.name.c_str();
	if (lengthFound != NULL)
		*lengthFound = item.data.size();
	return true;
}


bool
BResources::GetResourceInfo(type_code byType, int32 andIndex, int32* idFound,
	const char** nameFound, size_t* lengthFound)
{
	ResourceItem* item = fItems->FindOfType(byType, andIndex);
	if (item == NULL)
		return false;
	if (idFound != NULL)
		*idFound = item->id;
	if (nameFound != NULL)
		*nameFound = item->name.c_str();
	if (lengthFound != NULL)
		*lengthFound = item->data.size();
	return true;
}


bool
BResources::GetResourceInfo(type_code byType, int32 andId, const char** nameFound,
	size_t* lengthFound)
{
	ResourceItem* item = fItems->Find(byType, andId);
	if (item == NULL)
		return false;
	if (nameFound != NULL)
		*nameFound = item->name.c_str();
	if (lengthFound != NULL)
		*lengthFound = item->data.size();
	return true;
}


bool
BResources::GetResourceInfo(type_code byType, const char* andName, int32* idFound,
	size_t* lengthFound)
{
	ResourceItem* item = fItems->Find(byType, andName);
	if (item == NULL)
		return false;
	if (idFound != NULL)
		*idFound = item->id;
	if (lengthFound != NULL)
		*lengthFound = item->data.size();
	return true;
}


status_t
BResources::AddResource(type_code type, int32 id, const void* data, size_t length,
	const char* name)
{
	if (fInitStatus != B_OK)
		return fInitStatus;
	if (!fFile.IsWritable())
		return B_NOT_ALLOWED;
	if (data == NULL && length > 0)
		return B_BAD_VALUE;
	if (name != NULL && strnlen(name, B_FILE_NAME_LENGTH) >= B_FILE_NAME_LENGTH)
		return B_NAME_TOO_LONG;

	std::unique_ptr<ResourceItem> item(new(std::nothrow) ResourceItem);
	if (!item)
		return B_NO_MEMORY;
	item->type = type;
	item->id = id;
	item->name = name != NULL ? name : "";
	const uint8* bytes = static_cast<const uint8*>(data);
	item->data.assign(bytes, bytes + length);

	// The old resource goes only once its replacement is ready.
	fItems->Remove(fItems->Find(type, id));
	fItems->Add(std::move(item));
	fDirty = true;
	return B_OK;
}


status_t
BResources::RemoveResource(const void* resource)
{
	if (fInitStatus != B_OK)
		return fInitStatus;
	if (!fFile.IsWritable())
		return B_NOT_ALLOWED;
	if (!fItems->Remove(fItems->FindData(resource)))
		return B_BAD_VALUE;
	fDirty = true;
	return B_OK;
}


status_t
BResources::RemoveResource(type_code type, int32 id)
{
	if (fInitStatus != B_OK)
		return fInitStatus;
	if (!fFile.IsWritable())
		return B_NOT_ALLOWED;
	if (!fItems->Remove(fItems->Find(type, id)))
		return B_BAD_VALUE;
	fDirty = true;
	return B_OK;
}


status_t
BResources::WriteTo(BFile* file)
{
	if (fInitStatus != B_OK)
		return fInitStatus;
	if (file == NULL || file->InitCheck() != B_OK || !file->IsWritable())
		return B_BAD_VALUE;

	BFile target(*file);
	if (target.InitCheck() != B_OK)
		return target.InitCheck();
	off_t start;
	ResourceItemList existing;
	if (BPrivate::read_resource_container(target, &start, &existing) != B_OK)
		start = BPrivate::clobber_position(target);

	fFile = target;
	fContainerStart = start;
	fDirty = true;
	return Sync();
}


status_t
BResources::Sync()
{
	if (fInitStatus != B_OK)
		return fInitStatus;
	if (!fDirty)
		return B_OK;
	if (!fFile.IsWritable())
		return B_NOT_ALLOWED;
	status_t status = BPrivate::write_resource_container(fFile, fContainerStart,
		fItems->Items());
	if (status == B_OK)
		fDirty = false;
	return status;
}
