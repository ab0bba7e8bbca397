// Feeds arbitrary bytes to BPropertyInfo::Unflatten. Accepted tables must be walkable the
// way applications walk them (to the entry with a NULL name, each code list to its first 0
// or ten entries) and must flatten to bytes that unflatten to the same tables.
#include <Message.h>
#include <PropertyInfo.h>

#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <vector>

namespace {

// Where the bytes read go, so that the reads are not optimized away.
volatile size_t stSink;


void
Walk(const BPropertyInfo& info)
{
	size_t total = 0;
	const property_info* properties = info.Properties();
	int32 count = 0;
	for (; properties[count].name != NULL; count++) {
		const property_info& property = properties[count];
		total += strlen(property.name);
		if (property.usage != NULL)
			total += strlen(property.usage);
		for (int32 i = 0; i < 10 && property.commands[i] != 0; i++)
			total += property.commands[i];
		for (int32 i = 0; i < 10 && property.specifiers[i] != 0; i++)
			total += property.specifiers[i];
		for (int32 i = 0; i < 10 && property.types[i] != 0; i++)
			total += property.types[i];
		for (const compound_type& compound : property.ctypes) {
			for (const compound_type::field_pair& pair : compound.pairs) {
				if (pair.name != NULL)
					total += strlen(pair.name);
			}
		}
	}
	if (count != info.CountProperties())
		abort();

	const value_info* values = info.Values();
	count = 0;
	for (; values[count].name != NULL; count++) {
		total += strlen(values[count].name);
		if (values[count].usage != NULL)
			total += strlen(values[count].usage);
	}
	if (count != info.CountValues())
		abort();
	stSink = total;

	BMessage request(B_GET_PROPERTY);
	if (info.CountProperties() > 0)
		info.FindMatch(&request, 0, NULL, B_DIRECT_SPECIFIER, properties[0].name);
}

} // namespace


extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	BPropertyInfo info;
	if (info.Unflatten(B_PROPERTY_INFO_TYPE, data, size) != B_OK) {
		if (info.Properties() != NULL || info.CountProperties() != 0
			|| info.CountValues() != 0)
			abort();
		return 0;
	}
	Walk(info);

	std::vector<uint8_t> first(info.FlattenedSize());
	if (info.Flatten(first.data(), first.size()) != B_OK)
		abort();
	BPropertyInfo again;
	if (again.Unflatten(B_PROPERTY_INFO_TYPE, first.data(), first.size()) != B_OK)
		abort();
	std::vector<uint8_t> second(again.FlattenedSize());
	if (again.Flatten(second.data(), second.size()) != B_OK || first != second)
		abort();
	return 0;
}
