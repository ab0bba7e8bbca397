// BMessage::PrintToStream: the message's what and every item, nested messages indented.
#include <Message.h>

#include <Entry.h>
#include <Path.h>

#include <ctype.h>
#include <inttypes.h>
#include <stdio.h>
#include <string.h>

namespace {

const int kIndent = 8;

// A code as four quoted characters when they are all printable, else in hexadecimal.
void
PrintCode(uint32 code)
{
	char text[4] = { (char)(code >> 24), (char)(code >> 16), (char)(code >> 8), (char)code };
	for (char c : text) {
		if (!isprint((unsigned char)c)) {
			printf("0x%08" PRIx32, code);
			return;
		}
	}
	printf("'%.4s'", text);
}


template<typename T>
bool
Read(const void* data, ssize_t size, T* value)
{
	if (size != (ssize_t)sizeof(T))
		return false;
	memcpy((void*)value, data, sizeof(T));
	return true;
}


void PrintMessage(const BMessage& message, int level);


// Prints one item's value, level being the item's own; false when its size does not fit
// its type.
bool
PrintValue(type_code type, const void* data, ssize_t size, int level)
{
	int8 i8;
	int16 i16;
	int32 i32;
	int64 i64;
	uint8 u8;
	uint16 u16;
	uint32 u32;
	uint64 u64;
	float f;
	double d;
	BPoint point;
	BRect rect;
	void* pointer;

	switch (type) {
		case B_BOOL_TYPE:
			if (!Read(data, size, &u8))
				return false;
			printf("bool(%s)\n", u8 != 0 ? "true" : "false");
			return true;
		case B_INT8_TYPE:
			if (!Read(data, size, &i8))
				return false;
			printf("int8(0x%" PRIx8 " or %" PRId8 ")\n", (uint8)i8, i8);
			return true;
		case B_UINT8_TYPE:
			if (!Read(data, size, &u8))
				return false;
			printf("uint8(0x%" PRIx8 " or %" PRIu8 ")\n", u8, u8);
			return true;
		case B_INT16_TYPE:
			if (!Read(data, size, &i16))
				return false;
			printf("int16(0x%" PRIx16 " or %" PRId16 ")\n", (uint16)i16, i16);
			return true;
		case B_UINT16_TYPE:
			if (!Read(data, size, &u16))
				return false;
			printf("uint16(0x%" PRIx16 " or %" PRIu16 ")\n", u16, u16);
			return true;
		case B_INT32_TYPE:
			if (!Read(data, size, &i32))
				return false;
			printf("int32(0x%" PRIx32 " or %" PRId32 ")\n", (uint32)i32, i32);
			return true;
		case B_UINT32_TYPE:
			if (!Read(data, size, &u32))
				return false;
			printf("uint32(0x%" PRIx32 " or %" PRIu32 ")\n", u32, u32);
			return true;
		case B_INT64_TYPE:
			if (!Read(data, size, &i64))
				return false;
			printf("int64(0x%" PRIx64 " or %" PRId64 ")\n", (uint64)i64, i64);
			return true;
		case B_UINT64_TYPE:
			if (!Read(data, size, &u64))
				return false;
			printf("uint64(0x%" PRIx64 " or %" PRIu64 ")\n", u64, u64);
			return true;
		case B_FLOAT_TYPE:
			if (!Read(data, size, &f))
				return false;
			printf("float(%.4f)\n", f);
			return true;
		case B_DOUBLE_TYPE:
			if (!Read(data, size, &d))
				return false;
			printf("double(%.8f)\n", d);
			return true;
		case B_POINT_TYPE:
			if (!Read(data, size, &point))
				return false;
			printf("BPoint(x:%.1f, y:%.1f)\n", point.x, point.y);
			return true;
		case B_RECT_TYPE:
			if (!Read(data, size, &rect))
				return false;
			printf("BRect(l:%.1f, t:%.1f, r:%.1f, b:%.1f)\n", rect.left, rect.top,
				rect.right, rect.bottom);
			return true;
		case B_POINTER_TYPE:
			if (!Read(data, size, &pointer))
				return false;
			printf("pointer(%p)\n", pointer);
			return true;
		case B_STRING_TYPE:
			if (size < 1 || ((const char*)data)[size - 1] != '\0')
				return false;
			printf("string(\"%s\", %zd bytes)\n", (const char*)data, size);
			return true;
		case B_MESSAGE_TYPE:
		{
			BMessage nested;
			if (nested.Unflatten((const char*)data, size) != B_OK)
				return false;
			PrintMessage(nested, level);
			return true;
		}
		case B_REF_TYPE:
		{
			BMessage scratch;
			entry_ref ref;
			if (scratch.AddData("ref", B_REF_TYPE, data, size) != B_OK
				|| scratch.FindRef("ref", &ref) != B_OK)
				return false;
			BPath path(&ref);
			printf("entry_ref(device=%" PRIu64 ", directory=%" PRIu64
				", name=\"%s\", path=\"%s\")\n", (uint64)ref.device, (uint64)ref.directory,
				ref.name != NULL ? ref.name : "", path.Path() != NULL ? path.Path() : "");
			return true;
		}
		default:
			return false;
	}
}


void
PrintMessage(const BMessage& message, int level)
{
	printf("BMessage(");
	PrintCode(message.what);
	printf(") {\n");

	const char* name;
	type_code type;
	int32 count;
	for (int32 i = 0; message.GetInfo(B_ANY_TYPE, i, &name, &type, &count) == B_OK; i++) {
		for (int32 j = 0; j < count; j++) {
			const void* data;
			ssize_t size;
			if (message.FindData(name, type, j, &data, &size) != B_OK)
				break;
			printf("%*s", (level + 1) * kIndent, "");
			if (count > 1)
				printf("%s[%" PRId32 "] = ", name, j);
			else
				printf("%s = ", name);
			if (!PrintValue(type, data, size, level + 1)) {
				printf("(type = ");
				PrintCode(type);
				printf(")(size = %zd)\n", size);
			}
		}
	}
	printf("%*s}\n", level * kIndent, "");
}

} // namespace


void
BMessage::PrintToStream() const
{
	PrintMessage(*this, 0);
}
