// rc, the resource compiler.
//
//   rc -o <container> <definition>     compiles a definition into a resource container
//   rc --attach <container> <file>     replaces the resources of file (an executable) with
//                                      those of the container
//   rc --list <file>                   prints the resources of a file
//
// Exits 0 on success, 1 with a message on standard error otherwise.
#include "DefinitionParser.h"

#include <File.h>
#include <Resources.h>

#include <inttypes.h>
#include <stdio.h>
#include <string.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

int
usage()
{
	fprintf(stderr, "usage: rc -o <container> <definition>\n"
		"       rc --attach <container> <file>\n"
		"       rc --list <file>\n");
	return 1;
}


int
fail(const char* what, const char* path, status_t status)
{
	fprintf(stderr, "rc: %s %s: %s\n", what, path, strerror(status));
	return 1;
}


int
compile(const char* containerPath, const char* definitionPath)
{
	std::ifstream in(definitionPath, std::ios::binary);
	if (!in) {
		fprintf(stderr, "rc: cannot read %s\n", definitionPath);
		return 1;
	}
	std::stringstream source;
	source << in.rdbuf();

	std::vector<CompiledResource> compiled;
	DefinitionParser parser(source.str());
	if (!parser.Parse(&compiled)) {
		fprintf(stderr, "%s: %s\n", definitionPath, parser.Error().c_str());
		return 1;
	}

	BFile file(containerPath, B_READ_WRITE | B_CREATE_FILE | B_ERASE_FILE);
	if (file.InitCheck() != B_OK)
		return fail("cannot create", containerPath, file.InitCheck());
	BResources resources(&file, true);
	status_t status = resources.InitCheck();
	for (size_t i = 0; status == B_OK && i < compiled.size(); i++) {
		const CompiledResource& resource = compiled[i];
		status = resources.AddResource(resource.type, resource.id, resource.data.data(),
			resource.data.size(),
			resource.name.empty() ? NULL : resource.name.c_str());
	}
	if (status == B_OK)
		status = resources.Sync();
	if (status != B_OK)
		return fail("cannot write", containerPath, status);
	return 0;
}


int
attach(const char* containerPath, const char* targetPath)
{
	BFile container(containerPath, B_READ_ONLY);
	BResources resources(&container);
	if (resources.InitCheck() != B_OK)
		return fail("cannot read resources of", containerPath, resources.InitCheck());

	BFile target(targetPath, B_READ_WRITE);
	if (target.InitCheck() != B_OK)
		return fail("cannot open", targetPath, target.InitCheck());
	status_t status = resources.WriteTo(&target);
	if (status != B_OK)
		return fail("cannot write resources to", targetPath, status);
	return 0;
}


int
list(const char* path)
{
	BFile file(path, B_READ_ONLY);
	BResources resources(&file);
	if (resources.InitCheck() != B_OK)
		return fail("cannot read resources of", path, resources.InitCheck());

	type_code type;
	int32 id;
	const char* name;
	size_t size;
	for (int32 i = 0; resources.GetResourceInfo(i, &type, &id, &name, &size); i++) {
		printf("'%c%c%c%c' %6" PRId32 " %8zu  %s\n", (char)(type >> 24), (char)(type >> 16),
			(char)(type >> 8), (char)type, id, size, name);
	}
	return 0;
}

} // namespace


int
main(int argc, char** argv)
{
	if (argc == 4 && strcmp(argv[1], "-o") == 0)
		return compile(argv[2], argv[3]);
	if (argc == 4 && strcmp(argv[1], "--attach") == 0)
		return attach(argv[2], argv[3]);
	if (argc == 3 && strcmp(argv[1], "--list") == 0)
		return list(argv[2]);
	return usage();
}
