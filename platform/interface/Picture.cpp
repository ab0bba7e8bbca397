#include <Picture.h>

#include "interface/PictureData.h"

#include <DataIO.h>
#include <Message.h>

using BPrivate::PictureData;

namespace {

const int32 kArchiveVersion = 1;

} // namespace


BPicture::BPicture()
	:
	fData(new PictureData)
{
}


BPicture::BPicture(const BPicture& original)
	:
	BArchivable(),
	fData(new PictureData(*original.fData))
{
}


BPicture::BPicture(BMessage* archive)
	:
	BArchivable(archive),
	fData(new PictureData)
{
	const void* data = NULL;
	ssize_t size = 0;
	int32 version = 0;
	if (archive != NULL && archive->FindInt32("_ver", &version) == B_OK
		&& version == kArchiveVersion
		&& archive->FindData("_data", B_RAW_TYPE, &data, &size) == B_OK) {
		fData->Unflatten(data, size);
	}
}


BPicture::~BPicture()
{
	delete fData;
}


BArchivable*
BPicture::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BPicture"))
		return NULL;
	return new BPicture(archive);
}


status_t
BPicture::Archive(BMessage* archive, bool deep) const
{
	status_t status = BArchivable::Archive(archive, deep);
	if (status != B_OK)
		return status;
	std::vector<uint8> flat;
	fData->Flatten(flat);
	status = archive->AddInt32("_ver", kArchiveVersion);
	if (status == B_OK)
		status = archive->AddData("_data", B_RAW_TYPE, flat.data(), (ssize_t)flat.size());
	return status;
}


status_t
BPicture::Flatten(BDataIO* stream)
{
	return fData->Flatten(stream);
}


status_t
BPicture::Unflatten(BDataIO* stream)
{
	return fData->Unflatten(stream);
}
