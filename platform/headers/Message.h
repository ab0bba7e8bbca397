// A message: a command code (what) and named fields, each holding one or more items of one
// type. Fields keep the order in which they were added. Items are stored in the host's
// byte order; a flattened message travels between processes (its format is in
// docs/message-format.md).
//
// Pointers handed out by the Find functions point into the message and stay valid until
// the message is changed or deleted. A message is not locked: one thread at a time.
#ifndef _MESSAGE_H
#define _MESSAGE_H

#include <AppDefs.h>
#include <DataIO.h>
#include <Flattenable.h>
#include <OS.h>
#include <Rect.h>
#include <TypeConstants.h>

#include <string.h>

#include <atomic>

class BDataIO;
class BFlattenable;
class BHandler;
class BMessenger;
class BString;
struct entry_ref;
struct rgb_color;

namespace BPrivate {
struct DeliveryInfo;
}

// Specifier forms: the what of a specifier message.
enum {
	B_NO_SPECIFIER = 0,
	B_DIRECT_SPECIFIER = 1,
	B_INDEX_SPECIFIER,
	B_REVERSE_INDEX_SPECIFIER,
	B_RANGE_SPECIFIER,
	B_REVERSE_RANGE_SPECIFIER,
	B_NAME_SPECIFIER,
	B_ID_SPECIFIER,

	B_SPECIFIERS_END = 128
	// Application-defined forms follow.
};

#define B_FIELD_NAME_LENGTH		255
#define B_PROPERTY_NAME_LENGTH	255

class BMessage {
public:
	uint32 what;

	BMessage();
	BMessage(uint32 what);
	BMessage(const BMessage& other);
	virtual ~BMessage();

	BMessage& operator=(const BMessage& other);

	// Field index-th among the fields of typeRequested (B_ANY_TYPE: all fields), in the
	// order they were added. B_BAD_TYPE when no field has that type, B_BAD_INDEX when
	// index is out of range.
	status_t GetInfo(type_code typeRequested, int32 index, char** nameFound,
		type_code* typeFound, int32* countFound = NULL) const;
	status_t GetInfo(type_code typeRequested, int32 index, const char** nameFound,
		type_code* typeFound, int32* countFound = NULL) const;
	status_t GetInfo(const char* name, type_code* typeFound, int32* countFound = NULL) const;
	status_t GetInfo(const char* name, type_code* typeFound, bool* fixedSize) const;
	status_t GetInfo(const char* name, type_code* typeFound, int32* countFound,
		bool* fixedSize) const;

	int32 CountNames(type_code type) const;
	bool IsEmpty() const;
	bool IsSystem() const;
	void PrintToStream() const;
	status_t Rename(const char* oldEntry, const char* newEntry);

	// Delivery: answered by the messaging kit for messages it delivered.
	bool WasDelivered() const;
	bool IsSourceWaiting() const;
	bool IsSourceRemote() const;
	BMessenger ReturnAddress() const;
	const BMessage* Previous() const;
	bool IsReply() const;
	bool WasDropped() const;
	BPoint DropPoint(BPoint* offset = NULL) const;

	status_t SendReply(uint32 command, BHandler* replyTo = NULL);
	status_t SendReply(BMessage* reply, BHandler* replyTo = NULL,
		bigtime_t timeout = B_INFINITE_TIMEOUT);
	status_t SendReply(BMessage* reply, BMessenger replyTo,
		bigtime_t timeout = B_INFINITE_TIMEOUT);
	status_t SendReply(uint32 command, BMessage* replyToReply);
	status_t SendReply(BMessage* reply, BMessage* replyToReply,
		bigtime_t sendTimeout = B_INFINITE_TIMEOUT,
		bigtime_t replyTimeout = B_INFINITE_TIMEOUT);

	// Flattening. Unflatten replaces the whole content; on any error the message is left
	// empty (what 0, no fields, no specifiers).
	ssize_t FlattenedSize() const;
	status_t Flatten(char* buffer, ssize_t size) const;
	// Checks everything against size: safe for bytes from anywhere.
	status_t Unflatten(const char* flatBuffer, ssize_t size);
	// Trusts the size recorded in the buffer's header: only for buffers this process
	// made itself, never for bytes that came from outside.
	status_t Unflatten(const char* flatBuffer);
	// size, when given, receives the number of bytes written.
	status_t Flatten(BDataIO* stream, ssize_t* size = NULL) const;
	// Reads one message: its header, then as many bytes as the header gives (within the
	// same limits as above), memory growing only as bytes arrive.
	status_t Unflatten(BDataIO* stream);

	// The specifier stack: each specifier is a message in the field "specifiers" whose
	// what is its form. Adding one makes it the current specifier; PopSpecifier makes
	// the one added before it current. The stack itself is never shortened by popping.
	status_t AddSpecifier(const char* property);
	status_t AddSpecifier(const char* property, int32 index);
	status_t AddSpecifier(const char* property, int32 index, int32 range);
	status_t AddSpecifier(const char* property, const char* name);
	status_t AddSpecifier(const BMessage* specifier);

	status_t SetCurrentSpecifier(int32 index);
	// B_BAD_SCRIPT_SYNTAX when no specifier is current. property points into specifier
	// and is set only when specifier is given.
	status_t GetCurrentSpecifier(int32* index, BMessage* specifier = NULL,
		int32* what = NULL, const char** property = NULL) const;
	bool HasSpecifiers() const;
	status_t PopSpecifier();

	// Adding. A field's type is fixed by its first item; adding an item of another type
	// gives B_BAD_TYPE, and a fixed-size field takes only items of its size (B_BAD_VALUE).
	status_t AddRect(const char* name, BRect rect) { return _AddValue(name, B_RECT_TYPE, rect); }
	status_t AddPoint(const char* name, BPoint point)
		{ return _AddValue(name, B_POINT_TYPE, point); }
	status_t AddString(const char* name, const char* string);
	status_t AddString(const char* name, const BString& string);
	status_t AddInt8(const char* name, int8 value) { return _AddValue(name, B_INT8_TYPE, value); }
	status_t AddUInt8(const char* name, uint8 value)
		{ return _AddValue(name, B_UINT8_TYPE, value); }
	status_t AddInt16(const char* name, int16 value)
		{ return _AddValue(name, B_INT16_TYPE, value); }
	status_t AddUInt16(const char* name, uint16 value)
		{ return _AddValue(name, B_UINT16_TYPE, value); }
	status_t AddInt32(const char* name, int32 value)
		{ return _AddValue(name, B_INT32_TYPE, value); }
	status_t AddUInt32(const char* name, uint32 value)
		{ return _AddValue(name, B_UINT32_TYPE, value); }
	status_t AddInt64(const char* name, int64 value)
		{ return _AddValue(name, B_INT64_TYPE, value); }
	status_t AddUInt64(const char* name, uint64 value)
		{ return _AddValue(name, B_UINT64_TYPE, value); }
	status_t AddBool(const char* name, bool value) { return _AddValue(name, B_BOOL_TYPE, value); }
	status_t AddFloat(const char* name, float value)
		{ return _AddValue(name, B_FLOAT_TYPE, value); }
	status_t AddDouble(const char* name, double value)
		{ return _AddValue(name, B_DOUBLE_TYPE, value); }
	status_t AddPointer(const char* name, const void* pointer)
		{ return _AddValue(name, B_POINTER_TYPE, pointer); }
	// The message is stored flattened; later changes to it are not seen. B_BAD_VALUE
	// when that would nest messages deeper than a receiver accepts.
	status_t AddMessage(const char* name, const BMessage* message);
	status_t AddRef(const char* name, const entry_ref* ref);
	status_t AddFlat(const char* name, BFlattenable* object, int32 count = 1);
	// Copies an item in: the typed Adds of values and strings go through it, while AddMessage,
	// AddRef and AddFlat flatten in place. count, a hint on the platform, is not used. Items
	// of B_MESSAGE_TYPE must be messages a receiver accepts (B_BAD_VALUE otherwise).
	status_t AddData(const char* name, type_code type, const void* data, ssize_t numBytes,
		bool isFixedSize = true, int32 count = 1);

	status_t RemoveData(const char* name, int32 index = 0);
	status_t RemoveName(const char* name);
	// Removes every field and the specifier stack; what stays.
	status_t MakeEmpty();

	// Finding. On failure the typed finds set their result to zero (NULL, false, an
	// empty string).
	status_t FindRect(const char* name, BRect* rect) const { return FindRect(name, 0, rect); }
	status_t FindRect(const char* name, int32 index, BRect* rect) const
		{ return _FindValue(name, B_RECT_TYPE, index, rect); }
	status_t FindPoint(const char* name, BPoint* point) const
		{ return FindPoint(name, 0, point); }
	status_t FindPoint(const char* name, int32 index, BPoint* point) const
		{ return _FindValue(name, B_POINT_TYPE, index, point); }
	status_t FindString(const char* name, const char** string) const
		{ return FindString(name, 0, string); }
	status_t FindString(const char* name, int32 index, const char** string) const;
	status_t FindString(const char* name, BString* string) const
		{ return FindString(name, 0, string); }
	status_t FindString(const char* name, int32 index, BString* string) const;
	status_t FindInt8(const char* name, int8* value) const { return FindInt8(name, 0, value); }
	status_t FindInt8(const char* name, int32 index, int8* value) const
		{ return _FindValue(name, B_INT8_TYPE, index, value); }
	status_t FindUInt8(const char* name, uint8* value) const
		{ return FindUInt8(name, 0, value); }
	status_t FindUInt8(const char* name, int32 index, uint8* value) const
		{ return _FindValue(name, B_UINT8_TYPE, index, value); }
	status_t FindInt16(const char* name, int16* value) const
		{ return FindInt16(name, 0, value); }
	status_t FindInt16(const char* name, int32 index, int16* value) const
		{ return _FindValue(name, B_INT16_TYPE, index, value); }
	status_t FindUInt16(const char* name, uint16* value) const
		{ return FindUInt16(name, 0, value); }
	status_t FindUInt16(const char* name, int32 index, uint16* value) const
		{ return _FindValue(name, B_UINT16_TYPE, index, value); }
	status_t FindInt32(const char* name, int32* value) const
		{ return FindInt32(name, 0, value); }
	status_t FindInt32(const char* name, int32 index, int32* value) const
		{ return _FindValue(name, B_INT32_TYPE, index, value); }
	status_t FindUInt32(const char* name, uint32* value) const
		{ return FindUInt32(name, 0, value); }
	status_t FindUInt32(const char* name, int32 index, uint32* value) const
		{ return _FindValue(name, B_UINT32_TYPE, index, value); }
	status_t FindInt64(const char* name, int64* value) const
		{ return FindInt64(name, 0, value); }
	status_t FindInt64(const char* name, int32 index, int64* value) const
		{ return _FindValue(name, B_INT64_TYPE, index, value); }
	// The platform's int32 was a long and its int64 a long long; its dev_t held an int32
	// item and its ino_t an int64 (both an unsigned long here, a device read back whole).
	// Code written for it finds into those, which these take, rather than have the pointer
	// taken for an index.
	status_t FindInt32(const char* name, long* value) const { return FindInt32(name, 0, value); }
	status_t FindInt32(const char* name, int32 index, long* value) const
		{ return _FindInto<int32>(name, B_INT32_TYPE, index, value); }
	status_t FindInt32(const char* name, unsigned long* value) const
		{ return FindInt32(name, 0, value); }
	status_t FindInt32(const char* name, int32 index, unsigned long* value) const
		{ return _FindInto<uint32>(name, B_INT32_TYPE, index, value); }
	status_t FindInt64(const char* name, long long* value) const
		{ return FindInt64(name, 0, value); }
	status_t FindInt64(const char* name, int32 index, long long* value) const
		{ return _FindInto<int64>(name, B_INT64_TYPE, index, value); }
	status_t FindInt64(const char* name, unsigned long* value) const
		{ return FindInt64(name, 0, value); }
	status_t FindInt64(const char* name, int32 index, unsigned long* value) const
		{ return _FindInto<int64>(name, B_INT64_TYPE, index, value); }
	status_t FindUInt64(const char* name, uint64* value) const
		{ return FindUInt64(name, 0, value); }
	status_t FindUInt64(const char* name, int32 index, uint64* value) const
		{ return _FindValue(name, B_UINT64_TYPE, index, value); }
	status_t FindBool(const char* name, bool* value) const { return FindBool(name, 0, value); }
	status_t FindBool(const char* name, int32 index, bool* value) const;
	status_t FindFloat(const char* name, float* value) const
		{ return FindFloat(name, 0, value); }
	status_t FindFloat(const char* name, int32 index, float* value) const
		{ return _FindValue(name, B_FLOAT_TYPE, index, value); }
	status_t FindDouble(const char* name, double* value) const
		{ return FindDouble(name, 0, value); }
	status_t FindDouble(const char* name, int32 index, double* value) const
		{ return _FindValue(name, B_DOUBLE_TYPE, index, value); }
	status_t FindPointer(const char* name, void** pointer) const
		{ return FindPointer(name, 0, pointer); }
	status_t FindPointer(const char* name, int32 index, void** pointer) const
		{ return _FindValue(name, B_POINTER_TYPE, index, pointer); }
	status_t FindMessage(const char* name, BMessage* message) const
		{ return FindMessage(name, 0, message); }
	status_t FindMessage(const char* name, int32 index, BMessage* message) const;
	status_t FindRef(const char* name, entry_ref* ref) const { return FindRef(name, 0, ref); }
	status_t FindRef(const char* name, int32 index, entry_ref* ref) const;
	status_t FindFlat(const char* name, BFlattenable* object) const
		{ return FindFlat(name, 0, object); }
	status_t FindFlat(const char* name, int32 index, BFlattenable* object) const;
	// B_ANY_TYPE finds the item whatever the field's type.
	status_t FindData(const char* name, type_code type, const void** data,
		ssize_t* numBytes) const { return FindData(name, type, 0, data, numBytes); }
	status_t FindData(const char* name, type_code type, int32 index, const void** data,
		ssize_t* numBytes) const;

	// Replacing an existing item; the field and the index must exist.
	status_t ReplaceRect(const char* name, BRect rect) { return ReplaceRect(name, 0, rect); }
	status_t ReplaceRect(const char* name, int32 index, BRect rect)
		{ return _ReplaceValue(name, B_RECT_TYPE, index, rect); }
	status_t ReplacePoint(const char* name, BPoint point)
		{ return ReplacePoint(name, 0, point); }
	status_t ReplacePoint(const char* name, int32 index, BPoint point)
		{ return _ReplaceValue(name, B_POINT_TYPE, index, point); }
	status_t ReplaceString(const char* name, const char* string)
		{ return ReplaceString(name, 0, string); }
	status_t ReplaceString(const char* name, int32 index, const char* string);
	status_t ReplaceString(const char* name, const BString& string)
		{ return ReplaceString(name, 0, string); }
	status_t ReplaceString(const char* name, int32 index, const BString& string);
	status_t ReplaceInt8(const char* name, int8 value) { return ReplaceInt8(name, 0, value); }
	status_t ReplaceInt8(const char* name, int32 index, int8 value)
		{ return _ReplaceValue(name, B_INT8_TYPE, index, value); }
	status_t ReplaceUInt8(const char* name, uint8 value) { return ReplaceUInt8(name, 0, value); }
	status_t ReplaceUInt8(const char* name, int32 index, uint8 value)
		{ return _ReplaceValue(name, B_UINT8_TYPE, index, value); }
	status_t ReplaceInt16(const char* name, int16 value) { return ReplaceInt16(name, 0, value); }
	status_t ReplaceInt16(const char* name, int32 index, int16 value)
		{ return _ReplaceValue(name, B_INT16_TYPE, index, value); }
	status_t ReplaceUInt16(const char* name, uint16 value)
		{ return ReplaceUInt16(name, 0, value); }
	status_t ReplaceUInt16(const char* name, int32 index, uint16 value)
		{ return _ReplaceValue(name, B_UINT16_TYPE, index, value); }
	status_t ReplaceInt32(const char* name, int32 value) { return ReplaceInt32(name, 0, value); }
	status_t ReplaceInt32(const char* name, int32 index, int32 value)
		{ return _ReplaceValue(name, B_INT32_TYPE, index, value); }
	status_t ReplaceUInt32(const char* name, uint32 value)
		{ return ReplaceUInt32(name, 0, value); }
	status_t ReplaceUInt32(const char* name, int32 index, uint32 value)
		{ return _ReplaceValue(name, B_UINT32_TYPE, index, value); }
	status_t ReplaceInt64(const char* name, int64 value) { return ReplaceInt64(name, 0, value); }
	status_t ReplaceInt64(const char* name, int32 index, int64 value)
		{ return _ReplaceValue(name, B_INT64_TYPE, index, value); }
	status_t ReplaceUInt64(const char* name, uint64 value)
		{ return ReplaceUInt64(name, 0, value); }
	status_t ReplaceUInt64(const char* name, int32 index, uint64 value)
		{ return _ReplaceValue(name, B_UINT64_TYPE, index, value); }
	status_t ReplaceBool(const char* name, bool value) { return ReplaceBool(name, 0, value); }
	status_t ReplaceBool(const char* name, int32 index, bool value)
		{ return _ReplaceValue(name, B_BOOL_TYPE, index, value); }
	status_t ReplaceFloat(const char* name, float value) { return ReplaceFloat(name, 0, value); }
	status_t ReplaceFloat(const char* name, int32 index, float value)
		{ return _ReplaceValue(name, B_FLOAT_TYPE, index, value); }
	status_t ReplaceDouble(const char* name, double value)
		{ return ReplaceDouble(name, 0, value); }
	status_t ReplaceDouble(const char* name, int32 index, double value)
		{ return _ReplaceValue(name, B_DOUBLE_TYPE, index, value); }
	status_t ReplacePointer(const char* name, const void* pointer)
		{ return ReplacePointer(name, 0, pointer); }
	status_t ReplacePointer(const char* name, int32 index, const void* pointer)
		{ return _ReplaceValue(name, B_POINTER_TYPE, index, pointer); }
	status_t ReplaceMessage(const char* name, const BMessage* message)
		{ return ReplaceMessage(name, 0, message); }
	status_t ReplaceMessage(const char* name, int32 index, const BMessage* message);
	status_t ReplaceRef(const char* name, const entry_ref* ref) { return ReplaceRef(name, 0, ref); }
	status_t ReplaceRef(const char* name, int32 index, const entry_ref* ref);
	status_t ReplaceFlat(const char* name, BFlattenable* object)
		{ return ReplaceFlat(name, 0, object); }
	status_t ReplaceFlat(const char* name, int32 index, BFlattenable* object);
	status_t ReplaceData(const char* name, type_code type, const void* data, ssize_t numBytes)
		{ return ReplaceData(name, type, 0, data, numBytes); }
	status_t ReplaceData(const char* name, type_code type, int32 index, const void* data,
		ssize_t numBytes);

	bool HasRect(const char* name, int32 index = 0) const
		{ return HasData(name, B_RECT_TYPE, index); }
	bool HasPoint(const char* name, int32 index = 0) const
		{ return HasData(name, B_POINT_TYPE, index); }
	bool HasString(const char* name, int32 index = 0) const
		{ return HasData(name, B_STRING_TYPE, index); }
	bool HasInt8(const char* name, int32 index = 0) const
		{ return HasData(name, B_INT8_TYPE, index); }
	bool HasUInt8(const char* name, int32 index = 0) const
		{ return HasData(name, B_UINT8_TYPE, index); }
	bool HasInt16(const char* name, int32 index = 0) const
		{ return HasData(name, B_INT16_TYPE, index); }
	bool HasUInt16(const char* name, int32 index = 0) const
		{ return HasData(name, B_UINT16_TYPE, index); }
	bool HasInt32(const char* name, int32 index = 0) const
		{ return HasData(name, B_INT32_TYPE, index); }
	bool HasUInt32(const char* name, int32 index = 0) const
		{ return HasData(name, B_UINT32_TYPE, index); }
	bool HasInt64(const char* name, int32 index = 0) const
		{ return HasData(name, B_INT64_TYPE, index); }
	bool HasUInt64(const char* name, int32 index = 0) const
		{ return HasData(name, B_UINT64_TYPE, index); }
	bool HasBool(const char* name, int32 index = 0) const
		{ return HasData(name, B_BOOL_TYPE, index); }
	bool HasFloat(const char* name, int32 index = 0) const
		{ return HasData(name, B_FLOAT_TYPE, index); }
	bool HasDouble(const char* name, int32 index = 0) const
		{ return HasData(name, B_DOUBLE_TYPE, index); }
	bool HasPointer(const char* name, int32 index = 0) const
		{ return HasData(name, B_POINTER_TYPE, index); }
	bool HasMessage(const char* name, int32 index = 0) const
		{ return HasData(name, B_MESSAGE_TYPE, index); }
	bool HasRef(const char* name, int32 index = 0) const
		{ return HasData(name, B_REF_TYPE, index); }
	bool HasFlat(const char* name, const BFlattenable* object) const
		{ return HasFlat(name, 0, object); }
	bool HasFlat(const char* name, int32 index, const BFlattenable* object) const;
	bool HasData(const char* name, type_code type, int32 index = 0) const;

	// The older forms, which return the item itself: zero, false, NULL or an invalid
	// rectangle when there is none. Applications of the platform's early releases call them.
	BRect FindRect(const char* name, int32 index = 0) const
		{ BRect rect; FindRect(name, index, &rect); return rect; }
	BPoint FindPoint(const char* name, int32 index = 0) const
		{ BPoint point; FindPoint(name, index, &point); return point; }
	const char* FindString(const char* name, int32 index = 0) const
		{ const char* string; FindString(name, index, &string); return string; }
	int8 FindInt8(const char* name, int32 index = 0) const
		{ int8 value; FindInt8(name, index, &value); return value; }
	int16 FindInt16(const char* name, int32 index = 0) const
		{ int16 value; FindInt16(name, index, &value); return value; }
	int32 FindInt32(const char* name, int32 index = 0) const
		{ int32 value; FindInt32(name, index, &value); return value; }
	int64 FindInt64(const char* name, int32 index = 0) const
		{ int64 value; FindInt64(name, index, &value); return value; }
	bool FindBool(const char* name, int32 index = 0) const
		{ bool value; FindBool(name, index, &value); return value; }
	float FindFloat(const char* name, int32 index = 0) const
		{ float value; FindFloat(name, index, &value); return value; }
	double FindDouble(const char* name, int32 index = 0) const
		{ double value; FindDouble(name, index, &value); return value; }

	// Messengers, stored as their team, port and handler token.
	status_t AddMessenger(const char* name, BMessenger messenger);
	status_t FindMessenger(const char* name, BMessenger* messenger) const
		{ return FindMessenger(name, 0, messenger); }
	status_t FindMessenger(const char* name, int32 index, BMessenger* messenger) const;
	status_t ReplaceMessenger(const char* name, BMessenger messenger);
	status_t ReplaceMessenger(const char* name, int32 index, BMessenger messenger);
	bool HasMessenger(const char* name, int32 index = 0) const
		{ return HasData(name, B_MESSENGER_TYPE, index); }

	// Colours (GraphicsDefs.h), B_RGB_COLOR_TYPE items of four bytes: red, green, blue,
	// alpha. A failed find sets the colour to zero.
	status_t AddColor(const char* name, rgb_color color);
	status_t FindColor(const char* name, rgb_color* color) const;
	status_t FindColor(const char* name, int32 index, rgb_color* color) const;
	status_t ReplaceColor(const char* name, rgb_color color);
	status_t ReplaceColor(const char* name, int32 index, rgb_color color);
	bool HasColor(const char* name, int32 index = 0) const
		{ return HasData(name, B_RGB_COLOR_TYPE, index); }

	class Private;

private:
	friend class Private;

	template<typename T>
	status_t _AddValue(const char* name, type_code type, const T& value)
		{ return AddData(name, type, &value, sizeof(T), true); }

	template<typename T>
	status_t _FindValue(const char* name, type_code type, int32 index, T* value) const
	{
		if (value == NULL)
			return B_BAD_VALUE;
		const void* data;
		ssize_t size;
		status_t status = FindData(name, type, index, &data, &size);
		if (status == B_OK && size != (ssize_t)sizeof(T))
			status = B_BAD_DATA;
		if (status != B_OK) {
			*value = T();
			return status;
		}
		memcpy((void*)value, data, sizeof(T));
		return B_OK;
	}

	// Finds an item stored as Stored into a variable of another integer type.
	template<typename Stored, typename T>
	status_t _FindInto(const char* name, type_code type, int32 index, T* value) const
	{
		if (value == NULL)
			return B_BAD_VALUE;
		Stored item;
		status_t status = _FindValue(name, type, index, &item);
		*value = (T)item;
		return status;
	}

	template<typename T>
	status_t _ReplaceValue(const char* name, type_code type, int32 index, const T& value)
		{ return ReplaceData(name, type, index, &value, sizeof(T)); }

	// count, when given, receives the field's number of items afterwards.
	status_t _AddUninitialized(const char* name, type_code type, size_t size, bool isFixedSize,
		void** item, uint32* count = NULL);
	status_t _AddMessage(const char* name, const BMessage* message, uint32* count);
	status_t _ReplaceUninitialized(const char* name, type_code type, int32 index, size_t size,
		void** item);
	status_t _Locate(const char* name, type_code type, int32 index, int32* field) const;
	int32 _FindField(const char* name) const;
	uint8* _ItemAt(int32 field, int32 index, size_t* size) const;
	// The offsets of field's items (fItemOffsets), made if need be; NULL when another
	// field's are kept or memory ran out.
	const uint32* _ItemOffsets(int32 field) const;
	// Forgets where items were found, after a change of the buffer's layout.
	void _ForgetItems();
	// Replaces the content by a flattened message of size bytes; checked unless it is an
	// item of a message, which was checked when it entered.
	status_t _SetFlattened(const char* flatBuffer, size_t size, bool check);
	status_t _Splice(size_t position, size_t removeSize, size_t insertSize);
	status_t _ResizeRegion(int32 field, size_t position, size_t removeSize, size_t insertSize);
	void _RemoveField(int32 field);
	void _CheckSpecifiers();
	// Writes the flattened header (32 bytes) for the current content.
	void _WriteHeader(void* buffer) const;
	void _Clear();

	// fBuffer holds the field table followed by the items (docs/message-format.md): the
	// body of the flattened form, so that flattening and unflattening are one copy each.
	uint8* fBuffer;
	size_t fBufferSize;
	size_t fBufferCapacity;
	uint32 fFieldCount;
	int32 fCurrentSpecifier;
	uint16 fFlags;
	// Where the last item of a variable-size field was found (field, index and offset,
	// packed by _ItemAt), so that reading a field's items in order takes linear time.
	// Any change of the buffer forgets it.
	mutable std::atomic<uint64> fItemCursor{0};
	// The offsets of the items of one variable-size field (the field's index, its count,
	// then an offset an item), made by _ItemAt the first time a read goes backwards in a
	// field of many items: resolving a request reads its specifiers from the outermost
	// inwards. Set once while the buffer keeps its layout; forgotten with the cursor.
	mutable std::atomic<uint32*> fItemOffsets{NULL};
	// Set by the messaging kit for a message it delivered, never copied
	// (app/MessageDelivery.h).
	BPrivate::DeliveryInfo* fDelivery = NULL;
};

#endif // _MESSAGE_H
