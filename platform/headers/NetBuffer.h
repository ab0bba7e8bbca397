// A buffer of data for the network: numbers are appended in network byte order and removed
// in host order, from the front, as a peer sent them. Archived as the field "buffer".
#ifndef _NET_BUFFER_H
#define _NET_BUFFER_H

#include <Archivable.h>
#include <SupportDefs.h>

class BMessage;

class BNetBuffer : public BArchivable {
public:
						BNetBuffer(size_t size = 0);
						BNetBuffer(BMessage* archive);
						BNetBuffer(const BNetBuffer& other);
	virtual				~BNetBuffer();

	BNetBuffer&			operator=(const BNetBuffer& other);

	// B_NO_MEMORY when the buffer could not be made.
	status_t			InitCheck() const;

	virtual status_t	Archive(BMessage* into, bool deep = true) const;
	static BArchivable*	Instantiate(BMessage* archive);

	status_t			AppendInt8(int8 value);
	status_t			AppendUint8(uint8 value);
	status_t			AppendInt16(int16 value);
	status_t			AppendUint16(uint16 value);
	status_t			AppendInt32(int32 value);
	status_t			AppendUint32(uint32 value);
	status_t			AppendInt64(int64 value);
	status_t			AppendUint64(uint64 value);
	status_t			AppendFloat(float value);
	status_t			AppendDouble(double value);
	// The string with its terminator.
	status_t			AppendString(const char* string);
	status_t			AppendData(const void* data, size_t size);
	// The flattened message, after its size as a 32-bit number.
	status_t			AppendMessage(const BMessage& message);

	// Each takes the value from the front; B_ERROR when the buffer holds too few bytes,
	// leaving them as they were.
	status_t			RemoveInt8(int8& value);
	status_t			RemoveUint8(uint8& value);
	status_t			RemoveInt16(int16& value);
	status_t			RemoveUint16(uint16& value);
	status_t			RemoveInt32(int32& value);
	status_t			RemoveUint32(uint32& value);
	status_t			RemoveInt64(int64& value);
	status_t			RemoveUint64(uint64& value);
	status_t			RemoveFloat(float& value);
	status_t			RemoveDouble(double& value);
	// Up to the terminator, which must come within size bytes (B_ERROR otherwise).
	status_t			RemoveString(char* string, size_t size);
	status_t			RemoveData(void* data, size_t size);
	// B_BAD_DATA when the bytes are no message, which are then left in the buffer.
	status_t			RemoveMessage(BMessage& message);

	// Copies from the front without removing.
	status_t			PeekData(void* data, size_t size) const;

	// The bytes not yet removed.
	unsigned char*		Data() const;
	size_t				Size() const;
	size_t				BytesRemaining() const;

private:
	status_t			_Append(const void* data, size_t size);
	status_t			_Remove(void* data, size_t size);

	unsigned char*		fData;
	size_t				fCapacity;
	size_t				fStart;
	size_t				fEnd;
	status_t			fInit;
};

#endif // _NET_BUFFER_H
