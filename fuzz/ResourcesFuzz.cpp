// Feeds arbitrary files to the resource container reader: finding the trailer, measuring an
// ELF image and parsing the container must fail cleanly on anything. What does parse must
// survive a write and read back the same.
#include <DataIO.h>

#include "storage/ResourceContainer.h"

#include <stddef.h>
#include <stdint.h>
#include <stdlib.h>

using BPrivate::ResourceItemList;

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	ResourceItemList items;
	BPrivate::parse_resource_container(data, size, &items);

	BMemoryIO input(static_cast<const void*>(data), size);
	off_t start = -1;
	if (BPrivate::read_resource_container(input, &start, &items) != B_OK)
		return 0;
	if (start < 0 || (size_t)start > size)
		abort();

	BMallocIO output;
	if (BPrivate::write_resource_container(output, 0, items) != B_OK)
		abort();
	ResourceItemList again;
	off_t againStart = -1;
	if (BPrivate::read_resource_container(output, &againStart, &again) != B_OK
		|| againStart != 0 || again.size() != items.size())
		abort();
	for (size_t i = 0; i < items.size(); i++) {
		if (again[i]->type != items[i]->type || again[i]->id != items[i]->id
			|| again[i]->name != items[i]->name || again[i]->data != items[i]->data)
			abort();
	}
	return 0;
}
