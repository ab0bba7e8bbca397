// Attributes of nodes: named, typed data kept beside a file's contents. On Linux they are
// extended attributes in the "user." namespace (docs/node-attributes.md).
#ifndef _FS_ATTR_H
#define _FS_ATTR_H

#include <SupportDefs.h>

#include <sys/types.h>

typedef struct attr_info {
	uint32	type;
	off_t	size;
} attr_info;

#endif // _FS_ATTR_H
