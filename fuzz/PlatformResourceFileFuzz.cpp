// Feeds arbitrary bytes to the reader of the platform's .rsrc files: it must refuse anything
// it cannot read whole, without reading outside the bytes, and what it accepts must be
// resources a container can hold.
#include "PlatformResourceFile.h"

#include <stddef.h>
#include <stdint.h>
#include <stdlib.h>

#include <set>
#include <utility>

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	std::vector<CompiledResource> resources;
	std::string error;
	bool known = is_platform_resource_file(data, size);
	if (!read_platform_resources(data, size, &resources, &error)) {
		if (!resources.empty() || error.empty())
			abort();
		return 0;
	}
	if (!known)
		abort();
	std::set<std::pair<type_code, int32>> ids;
	size_t total = 0;
	for (const CompiledResource& resource : resources) {
		if (!ids.insert({ resource.type, resource.id }).second || resource.name.size() > 255)
			abort();
		total += resource.data.size();
	}
	if (total > size)
		abort();
	return 0;
}
