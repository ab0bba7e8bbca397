// xres, the platform's resource merger, as its makefiles call it after linking.
//
//   xres -o <output> [<input>... | -a <type>:<id>[:<name>] <file> | -d <type>[:<id>]]...
//
// Adds to the resources of output (an executable, or a resource file made if missing) every
// resource of each input (a .rsrc file of the platform, or a file with the kit's
// resources), the whole contents of a file as one resource (-a), or removes resources
// (-d: all of a type, or one). A resource of the same type and id is replaced; the others
// of output stay. Steps apply in order. Exits 0 on success, 1 with a message otherwise.
#include "PlatformResourceFile.h"

#include <File.h>
#include <Resources.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

int
usage()
{
	fprintf(stderr, "usage: xres -o <output> [<input>... | -a <type>:<id>[:<name>] <file>"
		" | -d <type>[:<id>]]...\n");
	return 1;
}


int
fail(const char* what, const char* path, status_t status)
{
	fprintf(stderr, "xres: %s %s: %s\n", what, path, strerror(status));
	return 1;
}


bool
read_bytes(const char* path, std::vector<uint8>* bytes)
{
	std::ifstream in(path, std::ios::binary);
	if (!in)
		return false;
	bytes->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
	return true;
}


// A type as four characters ("ICON") or a number; false for anything else.
bool
parse_type(const std::string& text, type_code* type)
{
	if (text.size() == 4) {
		*type = ((uint32)(uint8)text[0] << 24) | ((uint32)(uint8)text[1] << 16)
			| ((uint32)(uint8)text[2] << 8) | (uint8)text[3];
		return true;
	}
	char* end;
	unsigned long value = strtoul(text.c_str(), &end, 0);
	if (text.empty() || *end != '\0')
		return false;
	*type = (type_code)value;
	return true;
}


bool
parse_id(const std::string& text, int32* id)
{
	char* end;
	long value = strtol(text.c_str(), &end, 0);
	if (text.empty() || *end != '\0')
		return false;
	*id = (int32)value;
	return true;
}


int
merge(BResources* output, const char* path)
{
	std::vector<uint8> bytes;
	if (!read_bytes(path, &bytes))
		return fail("cannot read", path, B_ENTRY_NOT_FOUND);
	if (is_platform_resource_file(bytes.data(), bytes.size())) {
		std::vector<CompiledResource> resources;
		std::string error;
		if (!read_platform_resources(bytes.data(), bytes.size(), &resources, &error)) {
			fprintf(stderr, "xres: %s: %s\n", path, error.c_str());
			return 1;
		}
		for (const CompiledResource& resource : resources) {
			status_t status = output->AddResource(resource.type, resource.id,
				resource.data.data(), resource.data.size(),
				resource.name.empty() ? NULL : resource.name.c_str());
			if (status != B_OK)
				return fail("cannot add a resource of", path, status);
		}
		return 0;
	}
	BFile file(path, B_READ_ONLY);
	BResources input;
	status_t status = input.SetTo(&file);
	if (status != B_OK)
		return fail("no resources in", path, status);
	type_code type;
	int32 id;
	const char* name;
	size_t size;
	for (int32 i = 0; input.GetResourceInfo(i, &type, &id, &name, &size); i++) {
		const void* data = input.LoadResource(type, id, &size);
		if (data == NULL)
			return fail("cannot read a resource of", path, B_ERROR);
		status = output->AddResource(type, id, data, size,
			name != NULL && name[0] != '\0' ? name : NULL);
		if (status != B_OK)
			return fail("cannot add a resource of", path, status);
	}
	return 0;
}


int
add_file(BResources* output, const char* resource, const char* path)
{
	std::string text = resource;
	size_t colon = text.find(':');
	type_code type;
	int32 id;
	if (colon == std::string::npos || !parse_type(text.substr(0, colon), &type)) {
		fprintf(stderr, "xres: bad resource %s (type:id[:name])\n", resource);
		return 1;
	}
	size_t nameColon = text.find(':', colon + 1);
	std::string name = nameColon == std::string::npos ? "" : text.substr(nameColon + 1);
	if (!parse_id(text.substr(colon + 1, nameColon - colon - 1), &id)) {
		fprintf(stderr, "xres: bad resource id in %s\n", resource);
		return 1;
	}
	std::vector<uint8> bytes;
	if (!read_bytes(path, &bytes))
		return fail("cannot read", path, B_ENTRY_NOT_FOUND);
	status_t status = output->AddResource(type, id, bytes.data(), bytes.size(),
		name.empty() ? NULL : name.c_str());
	return status == B_OK ? 0 : fail("cannot add", path, status);
}


int
remove(BResources* output, const char* resource)
{
	std::string text = resource;
	size_t colon = text.find(':');
	type_code type;
	int32 id = 0;
	bool one = colon != std::string::npos;
	if (!parse_type(text.substr(0, colon), &type)
		|| (one && !parse_id(text.substr(colon + 1), &id))) {
		fprintf(stderr, "xres: bad resource %s (type[:id])\n", resource);
		return 1;
	}
	if (one) {
		output->RemoveResource(type, id);
		return 0;
	}
	int32 found;
	size_t size;
	const char* name;
	while (output->GetResourceInfo(type, 0, &found, &name, &size))
		output->RemoveResource(type, found);
	return 0;
}

} // namespace


int
main(int argc, char** argv)
{
	if (argc < 3 || strcmp(argv[1], "-o") != 0)
		return usage();
	const char* outputPath = argv[2];
	BFile output(outputPath, B_READ_WRITE | B_CREATE_FILE);
	if (output.InitCheck() != B_OK)
		return fail("cannot open", outputPath, output.InitCheck());
	off_t size = 0;
	output.GetSize(&size);
	BResources resources;
	// A new or empty output becomes a resource file.
	status_t status = resources.SetTo(&output, size == 0);
	if (status != B_OK)
		return fail("cannot use the resources of", outputPath, status);

	for (int i = 3; i < argc; i++) {
		int result;
		if (strcmp(argv[i], "-a") == 0) {
			if (i + 2 >= argc)
				return usage();
			result = add_file(&resources, argv[i + 1], argv[i + 2]);
			i += 2;
		} else if (strcmp(argv[i], "-d") == 0) {
			if (i + 1 >= argc)
				return usage();
			result = remove(&resources, argv[i + 1]);
			i++;
		} else
			result = merge(&resources, argv[i]);
		if (result != 0)
			return result;
	}
	status = resources.Sync();
	return status == B_OK ? 0 : fail("cannot write", outputPath, status);
}
