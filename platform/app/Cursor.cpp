#include <Cursor.h>

#include "app/CursorPrivate.h"

#include <AppDefs.h>
#include <Message.h>

#include <string.h>

// Pointing up with the forefinger, the hot spot at its tip; the mask fills the hand.
const unsigned char B_HAND_CURSOR[] = {
	16, 1, 0, 4,
	0x0c, 0x00, 0x12, 0x00, 0x12, 0x00, 0x12, 0x00,
	0x13, 0x80, 0x12, 0x70, 0xd2, 0x4c, 0x90, 0x4a,
	0x80, 0x09, 0x40, 0x01, 0x20, 0x01, 0x20, 0x02,
	0x10, 0x02, 0x08, 0x04, 0x04, 0x04, 0x07, 0xfc,
	0x0c, 0x00, 0x1e, 0x00, 0x1e, 0x00, 0x1e, 0x00,
	0x1f, 0x80, 0x1f, 0xf0, 0xff, 0xfc, 0xff, 0xfe,
	0xff, 0xff, 0x7f, 0xff, 0x3f, 0xff, 0x3f, 0xfe,
	0x1f, 0xfe, 0x0f, 0xfc, 0x07, 0xfc, 0x07, 0xfc
};

// A beam with serifs, the hot spot in its middle; only the beam is drawn.
const unsigned char B_I_BEAM_CURSOR[] = {
	16, 1, 8, 5,
	0x3b, 0x80, 0x0a, 0x00, 0x04, 0x00, 0x04, 0x00,
	0x04, 0x00, 0x04, 0x00, 0x04, 0x00, 0x04, 0x00,
	0x04, 0x00, 0x04, 0x00, 0x04, 0x00, 0x04, 0x00,
	0x04, 0x00, 0x04, 0x00, 0x0a, 0x00, 0x3b, 0x80,
	0x3b, 0x80, 0x0a, 0x00, 0x04, 0x00, 0x04, 0x00,
	0x04, 0x00, 0x04, 0x00, 0x04, 0x00, 0x04, 0x00,
	0x04, 0x00, 0x04, 0x00, 0x04, 0x00, 0x04, 0x00,
	0x04, 0x00, 0x04, 0x00, 0x0a, 0x00, 0x3b, 0x80
};

namespace {

const char* const kIDField = "be:cursor_id";
const char* const kDataField = "be:cursor_data";


bool
IsKnownID(int32 id)
{
	return id >= B_CURSOR_ID_SYSTEM_DEFAULT && id <= B_CURSOR_ID_CREATE_LINK;
}


// The platform's data is 16 pixels square at 1 bit per pixel with the hot spot inside.
bool
IsValidData(const uint8* data)
{
	return data != NULL && data[0] == 16 && data[1] == 1 && data[2] < 16 && data[3] < 16;
}

} // namespace


BCursor::BCursor(const void* cursorData)
	:
	fCursorID(B_CURSOR_ID_SYSTEM_DEFAULT),
	fHasData(false)
{
	_SetData(cursorData);
}


BCursor::BCursor(BCursorID id)
	:
	fCursorID(IsKnownID(id) ? id : B_CURSOR_ID_SYSTEM_DEFAULT),
	fHasData(false)
{
	memset(fData, 0, sizeof(fData));
}


BCursor::BCursor(const BCursor& other)
	:
	BArchivable()
{
	*this = other;
}


BCursor::BCursor(BMessage* data)
	:
	BArchivable(data),
	fCursorID(B_CURSOR_ID_SYSTEM_DEFAULT),
	fHasData(false)
{
	memset(fData, 0, sizeof(fData));
	if (data == NULL)
		return;
	int32 id;
	const void* bytes;
	ssize_t size;
	if (data->FindData(kDataField, B_RAW_TYPE, &bytes, &size) == B_OK
		&& size == (ssize_t)B_CURSOR_DATA_SIZE)
		_SetData(bytes);
	else if (data->FindInt32(kIDField, &id) == B_OK && IsKnownID(id))
		fCursorID = (BCursorID)id;
}


BCursor::~BCursor()
{
}


status_t
BCursor::Archive(BMessage* into, bool deep) const
{
	status_t status = BArchivable::Archive(into, deep);
	if (status != B_OK)
		return status;
	if (fHasData)
		return into->AddData(kDataField, B_RAW_TYPE, fData, sizeof(fData));
	return into->AddInt32(kIDField, fCursorID);
}


BArchivable*
BCursor::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BCursor"))
		return NULL;
	return new BCursor(archive);
}


BCursor&
BCursor::operator=(const BCursor& other)
{
	if (this != &other) {
		fCursorID = other.fCursorID;
		fHasData = other.fHasData;
		memcpy(fData, other.fData, sizeof(fData));
	}
	return *this;
}


bool
BCursor::operator==(const BCursor& other) const
{
	if (fHasData != other.fHasData)
		return false;
	if (fHasData)
		return memcmp(fData, other.fData, sizeof(fData)) == 0;
	return fCursorID == other.fCursorID;
}


bool
BCursor::operator!=(const BCursor& other) const
{
	return !(*this == other);
}


void
BCursor::_SetData(const void* cursorData)
{
	const uint8* data = (const uint8*)cursorData;
	if (!IsValidData(data)) {
		memset(fData, 0, sizeof(fData));
		fHasData = false;
		fCursorID = B_CURSOR_ID_SYSTEM_DEFAULT;
		return;
	}
	memcpy(fData, data, sizeof(fData));
	fHasData = true;
	fCursorID = B_CURSOR_ID_SYSTEM_DEFAULT;
}
