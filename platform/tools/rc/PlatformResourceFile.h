// Reads the platform's own binary resource files (.rsrc), as its tools wrote them beside
// applications for PowerPC (big-endian) and x86 (little-endian), so that the resource
// compiler can import them. The format and its limits: docs/resource-format.md.
#ifndef _PLATFORM_RESOURCE_FILE_H
#define _PLATFORM_RESOURCE_FILE_H

#include "DefinitionParser.h"

#include <SupportDefs.h>

#include <string>
#include <vector>

// Whether data starts as one of the platform's resource files does.
bool is_platform_resource_file(const uint8* data, size_t size);

// Fills resources with the file's resources, in the order of its resource table, their
// data in this machine's byte order where the kit knows the type's layout. False with a
// sentence in error, and resources left empty, when the bytes are not a valid file.
bool read_platform_resources(const uint8* data, size_t size,
	std::vector<CompiledResource>* resources, std::string* error);

#endif // _PLATFORM_RESOURCE_FILE_H
