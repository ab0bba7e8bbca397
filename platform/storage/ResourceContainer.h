// The resource container that travels at the end of an executable (docs/resource-format.md):
// finding it, parsing it without trusting a byte of it, and writing it.
#ifndef _RESOURCE_CONTAINER_H
#define _RESOURCE_CONTAINER_H

#include <DataIO.h>
#include <SupportDefs.h>

#include <memory>
#include <string>
#include <vector>

namespace BPrivate {

struct ResourceItem {
	type_code				type;
	int32					id;
	std::string				name;
	std::vector<uint8>		data;
};

// Items are held by pointer so that the names and data handed out stay put while the
// list changes around them.
typedef std::vector<std::unique_ptr<ResourceItem>> ResourceItemList;

// Finds and reads the container at the end of io. On success *start is where the container
// begins, or, when the file holds none, where one written to it belongs. A file that is not
// a resource file gives B_BAD_DATA; *items is then left empty.
status_t read_resource_container(BPositionIO& io, off_t* start, ResourceItemList* items);

// Where a container goes when the file's contents are to be replaced: the end of its ELF
// image when it is one, otherwise its start.
off_t clobber_position(BPositionIO& io);

// Parses a complete container (header first, trailer last) held in memory.
status_t parse_resource_container(const uint8* bytes, size_t size, ResourceItemList* items);

// Writes items as a container at start and cuts the file off after it.
status_t write_resource_container(BPositionIO& io, off_t start,
	const ResourceItemList& items);

} // namespace BPrivate

#endif // _RESOURCE_CONTAINER_H
