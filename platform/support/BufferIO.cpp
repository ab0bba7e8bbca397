#include <BufferIO.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>


BBufferIO::BBufferIO(BPositionIO* stream, size_t bufferSize, bool ownsStream)
	:
	fStream(stream),
	fBuffer(NULL),
	fBufferSize(std::max(bufferSize, (size_t)512)),
	fStart(0),
	fUsed(0),
	fPosition(0),
	fDirty(false),
	fOwnsStream(ownsStream)
{
	fBuffer = (char*)malloc(fBufferSize);
	if (fBuffer == NULL)
		fBufferSize = 0;
	if (fStream != NULL)
		fPosition = std::max((off_t)0, fStream->Position());
}


BBufferIO::~BBufferIO()
{
	Flush();
	free(fBuffer);
	if (fOwnsStream)
		delete fStream;
}


bool
BBufferIO::_Holds(off_t position, size_t size) const
{
	return position >= fStart && position + (off_t)size <= fStart + (off_t)fUsed;
}


// Moves the window to start at position, writing back what it held.
status_t
BBufferIO::_Load(off_t position)
{
	status_t status = Flush();
	if (status != B_OK)
		return status;
	ssize_t read = fStream->ReadAt(position, fBuffer, fBufferSize);
	if (read < 0)
		return (status_t)read;
	fStart = position;
	fUsed = read;
	return B_OK;
}


ssize_t
BBufferIO::ReadAt(off_t position, void* buffer, size_t size)
{
	if (fStream == NULL)
		return B_NO_INIT;
	if (buffer == NULL || position < 0)
		return B_BAD_VALUE;
	if (size == 0)
		return 0;
	if (size >= fBufferSize) {
		// Straight from the stream, after the buffered writes it must see.
		status_t status = Flush();
		if (status != B_OK)
			return status;
		return fStream->ReadAt(position, buffer, size);
	}
	if (!_Holds(position, size)) {
		status_t status = _Load(position);
		if (status != B_OK)
			return status;
	}
	size_t available = position - fStart <= (off_t)fUsed ? fUsed - (position - fStart) : 0;
	size_t count = std::min(size, available);
	memcpy(buffer, fBuffer + (position - fStart), count);
	return count;
}


ssize_t
BBufferIO::WriteAt(off_t position, const void* buffer, size_t size)
{
	if (fStream == NULL)
		return B_NO_INIT;
	if (buffer == NULL || position < 0)
		return B_BAD_VALUE;
	if (size == 0)
		return 0;
	if (size >= fBufferSize) {
		status_t status = Flush();
		if (status != B_OK)
			return status;
		// The window may hold what this overwrites: forget it.
		if (position < fStart + (off_t)fUsed && position + (off_t)size > fStart)
			fUsed = 0;
		return fStream->WriteAt(position, buffer, size);
	}
	// Writes land in the window when they touch what it holds, without gaps.
	bool fits = position >= fStart && position <= fStart + (off_t)fUsed
		&& position + (off_t)size <= fStart + (off_t)fBufferSize;
	if (!fits) {
		status_t status = _Load(position);
		if (status != B_OK)
			return status;
	}
	memcpy(fBuffer + (position - fStart), buffer, size);
	fUsed = std::max(fUsed, (size_t)(position - fStart) + size);
	fDirty = true;
	return size;
}


off_t
BBufferIO::Seek(off_t position, uint32 seekMode)
{
	if (fStream == NULL)
		return B_NO_INIT;
	off_t base;
	switch (seekMode) {
		case SEEK_SET:
			base = 0;
			break;
		case SEEK_CUR:
			base = fPosition;
			break;
		case SEEK_END:
		{
			off_t size;
			status_t status = fStream->GetSize(&size);
			if (status != B_OK)
				return status;
			base = std::max(size, fDirty ? fStart + (off_t)fUsed : size);
			break;
		}
		default:
			return B_BAD_VALUE;
	}
	if (base + position < 0)
		return B_BAD_VALUE;
	fPosition = base + position;
	return fPosition;
}


off_t
BBufferIO::Position() const
{
	return fPosition;
}


status_t
BBufferIO::SetSize(off_t size)
{
	if (fStream == NULL)
		return B_NO_INIT;
	if (size < 0)
		return B_BAD_VALUE;
	status_t status = Flush();
	if (status != B_OK)
		return status;
	status = fStream->SetSize(size);
	if (status != B_OK)
		return status;
	if (fStart >= size)
		fUsed = 0;
	else
		fUsed = std::min(fUsed, (size_t)(size - fStart));
	return B_OK;
}


status_t
BBufferIO::Flush()
{
	if (!fDirty)
		return B_OK;
	ssize_t written = fStream->WriteAt(fStart, fBuffer, fUsed);
	if (written < 0)
		return (status_t)written;
	if ((size_t)written != fUsed)
		return B_IO_ERROR;
	fDirty = false;
	return B_OK;
}


void
BBufferIO::PrintToStream() const
{
	printf("BBufferIO: stream %p, owned %s, buffer %zu bytes holding %zu from %lld%s, "
		"position %lld\n", fStream, fOwnsStream ? "yes" : "no", fBufferSize, fUsed,
		(long long)fStart, fDirty ? " (unwritten)" : "", (long long)fPosition);
}
