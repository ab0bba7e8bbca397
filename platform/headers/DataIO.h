// Streams of bytes: BDataIO reads and writes in sequence, BPositionIO adds random access,
// BMemoryIO works over a caller's buffer and BMallocIO over a buffer of its own.
#ifndef _DATA_IO_H
#define _DATA_IO_H

#include <SupportDefs.h>

class BDataIO {
public:
								BDataIO();
	virtual						~BDataIO();

	// Both return the number of bytes moved, or a negative status on failure.
	virtual	ssize_t				Read(void* buffer, size_t size) = 0;
	virtual	ssize_t				Write(const void* buffer, size_t size) = 0;

private:
								BDataIO(const BDataIO&);
			BDataIO&			operator=(const BDataIO&);
};


class BPositionIO : public BDataIO {
public:
								BPositionIO();
	virtual						~BPositionIO();

	// Read and Write go through ReadAt and WriteAt at Position() and advance it.
	virtual	ssize_t				Read(void* buffer, size_t size);
	virtual	ssize_t				Write(const void* buffer, size_t size);

	virtual	ssize_t				ReadAt(off_t position, void* buffer, size_t size) = 0;
	virtual	ssize_t				WriteAt(off_t position, const void* buffer,
									size_t size) = 0;

	// seekMode is SEEK_SET, SEEK_CUR or SEEK_END; returns the new position or a status.
	virtual	off_t				Seek(off_t position, uint32 seekMode) = 0;
	virtual	off_t				Position() const = 0;

	virtual	status_t			SetSize(off_t size);
	virtual	status_t			GetSize(off_t* size) const;
};


class BMemoryIO : public BPositionIO {
public:
	// The buffer stays the caller's. A read-only BMemoryIO refuses every write.
								BMemoryIO(void* data, size_t length);
								BMemoryIO(const void* data, size_t length);
	virtual						~BMemoryIO();

	virtual	ssize_t				ReadAt(off_t position, void* buffer, size_t size);
	virtual	ssize_t				WriteAt(off_t position, const void* buffer,
									size_t size);

	virtual	off_t				Seek(off_t position, uint32 seekMode);
	virtual	off_t				Position() const;

	// Shrinks or regrows within the buffer given at construction.
	virtual	status_t			SetSize(off_t size);

private:
			bool				fReadOnly;
			char*				fBuffer;
			size_t				fLength;
			size_t				fBufferSize;
			size_t				fPosition;
};


class BMallocIO : public BPositionIO {
public:
								BMallocIO();
	virtual						~BMallocIO();

	virtual	ssize_t				ReadAt(off_t position, void* buffer, size_t size);
	virtual	ssize_t				WriteAt(off_t position, const void* buffer,
									size_t size);

	virtual	off_t				Seek(off_t position, uint32 seekMode);
	virtual	off_t				Position() const;

	virtual	status_t			SetSize(off_t size);

	// The buffer grows in multiples of the block size (256 bytes unless set).
			void				SetBlockSize(size_t blockSize);

			const void*			Buffer() const;
			size_t				BufferLength() const;

private:
			size_t				fBlockSize;
			size_t				fMallocSize;
			size_t				fLength;
			char*				fData;
			off_t				fPosition;
};

#endif // _DATA_IO_H
