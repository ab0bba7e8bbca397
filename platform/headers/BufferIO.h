// A buffer in front of another BPositionIO: reads and writes smaller than the buffer go
// through one window of the stream held in memory, written back by Flush (and when the
// window moves, and on destruction). Requests as large as the buffer go straight to the
// stream. The stream must not be used behind the buffer's back while it holds writes.
#ifndef _BUFFER_IO_H
#define _BUFFER_IO_H

#include <DataIO.h>

class BBufferIO : public BPositionIO {
public:
	// With ownsStream, the buffer deletes stream when it is deleted.
								BBufferIO(BPositionIO* stream, size_t bufferSize = 65536L,
									bool ownsStream = true);
	virtual						~BBufferIO();

	virtual	ssize_t				ReadAt(off_t position, void* buffer, size_t size);
	virtual	ssize_t				WriteAt(off_t position, const void* buffer, size_t size);
	virtual	off_t				Seek(off_t position, uint32 seekMode);
	virtual	off_t				Position() const;
	virtual	status_t			SetSize(off_t size);
	// Writes the buffered changes to the stream.
	virtual	status_t			Flush();

			BPositionIO*		Stream() const { return fStream; }
			size_t				BufferSize() const { return fBufferSize; }
			bool				OwnsStream() const { return fOwnsStream; }
			void				SetOwnsStream(bool ownsStream) { fOwnsStream = ownsStream; }
	// Prints the stream, the buffer's window and whether it holds writes, to stdout.
			void				PrintToStream() const;

private:
			bool				_Holds(off_t position, size_t size) const;
			status_t			_Load(off_t position);

			BPositionIO*		fStream;
			char*				fBuffer;
			size_t				fBufferSize;
			off_t				fStart;
			size_t				fUsed;
			off_t				fPosition;
			bool				fDirty;
			bool				fOwnsStream;
};

#endif // _BUFFER_IO_H
