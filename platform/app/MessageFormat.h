// The flattened form of a message (docs/message-format.md): a header, the field table and
// the data area. A BMessage keeps the table and the data area in memory exactly as they are
// flattened.
#ifndef _KIT_MESSAGE_FORMAT_H
#define _KIT_MESSAGE_FORMAT_H

#include <SupportDefs.h>

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__,
	"messages are stored in the host's byte order and flattened little-endian");

namespace BPrivate {

const uint32 kMessageMagic = 0x47534d42;	// "BMSG" in memory order
const uint16 kMessageFormatVersion = 1;

// Limits of what Unflatten accepts; Add refuses to grow a message beyond the size limit.
const size_t kMaxMessageSize = 64 * 1024 * 1024;
const int32 kMaxMessageNesting = 32;
const size_t kMaxFieldNameLength = 255;

// MessageHeader::flags
const uint16 kMessageHasSpecifiers = 0x0001;
const uint16 kMessageKnownFlags = kMessageHasSpecifiers;

// FieldEntry::flags
const uint16 kFieldFixedSize = 0x0001;

struct MessageHeader {
	uint32 magic;
	uint16 version;
	uint16 flags;
	uint32 what;
	int32 currentSpecifier;
	uint32 fieldCount;
	uint32 dataSize;
	uint32 totalSize;
	uint32 reserved;
};
static_assert(sizeof(MessageHeader) == 32);

// What a message's flattened form starts with, before its field table.
const size_t kMessageHeaderSize = sizeof(MessageHeader);

struct FieldEntry {
	uint32 type;
	uint16 flags;
	uint16 nameLength;	// with the NUL
	uint32 count;
	uint32 offset;		// of the field's region in the data area
	uint32 size;		// of the region: the name, padded, then the items
	uint32 itemSize;	// of each item of a fixed-size field; 0 otherwise
};
static_assert(sizeof(FieldEntry) == 24);

// Each item of a variable-size field starts with this, and its bytes follow, padded to 8.
struct ItemHeader {
	uint32 size;
	uint32 reserved;
};
static_assert(sizeof(ItemHeader) == 8);

inline size_t
Align8(size_t size)
{
	return (size + 7) & ~(size_t)7;
}

// Checks a whole flattened message of at most available bytes, nested messages included,
// and gives its header. level is the message's own nesting level (0 for one that stands
// alone, 1 for an item of such a message). Returns B_NOT_A_MESSAGE for a wrong magic,
// B_BAD_DATA for anything else that is wrong.
status_t CheckFlattenedMessage(const uint8* buffer, size_t available, MessageHeader* header,
	int32 level = 0);

// Whether an item of type B_MESSAGE_TYPE holds exactly one message that a receiver
// would accept.
bool IsValidMessageItem(const void* item, size_t size);

} // namespace BPrivate

#endif // _KIT_MESSAGE_FORMAT_H
