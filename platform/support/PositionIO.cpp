#include <DataIO.h>

#include <stdio.h>


BPositionIO::BPositionIO()
{
}


BPositionIO::~BPositionIO()
{
}


ssize_t
BPositionIO::Read(void* buffer, size_t size)
{
	off_t position = Position();
	ssize_t result = ReadAt(position, buffer, size);
	if (result > 0)
		Seek(position + result, SEEK_SET);
	return result;
}


ssize_t
BPositionIO::Write(const void* buffer, size_t size)
{
	off_t position = Position();
	ssize_t result = WriteAt(position, buffer, size);
	if (result > 0)
		Seek(position + result, SEEK_SET);
	return result;
}


status_t
BPositionIO::SetSize(off_t size)
{
	return B_ERROR;
}


status_t
BPositionIO::GetSize(off_t* size) const
{
	if (size == NULL)
		return B_BAD_VALUE;

	// Seek is not const, but looking at the end and coming back leaves no trace.
	BPositionIO* self = const_cast<BPositionIO*>(this);
	off_t position = Position();
	off_t end = self->Seek(0, SEEK_END);
	if (end < 0)
		return (status_t)end;
	self->Seek(position, SEEK_SET);
	*size = end;
	return B_OK;
}
