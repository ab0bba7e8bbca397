// rc, the resource compiler.
//
//   rc -o <container> <definition>     compiles a definition into a resource container
//   rc --import <container> <rsrc>     converts a resource file of the platform (.rsrc)
//                                      into a resource container
//   rc --attach <container> <file>     replaces the resources of file (an executable) with
//                                      those of the container (or of a .rsrc file)
//   rc --list <file>                   prints the resources of a file (or of a .rsrc file)
//
// Exits 0 on success, 1 with a message on standard error otherwise.
#include "DefinitionParser.h"
#include "PlatformResourceFile.h"

#include <File.h>
#include <Resources.h>

#include <inttypes.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

int
usage()
{
	fprintf(stderr, "usage: rc -o <container> <definition>\n"
		"       rc --import <container> <rsrc>\n"
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


// Writes resources into the container at path, replacing whatever the file held.
int
write_container(const char* containerPath, const std::vector<CompiledResource>& compiled)
{
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


// The resources of a platform's .rsrc file at path, or an error exit (1) when the file
// cannot be read or is not one; -1 when it is no such file at all.
int
read_platform_file(const char* path, std::vector<CompiledResource>* compiled)
{
	std::ifstream in(path, std::ios::binary);
	if (!in) {
		fprintf(stderr, "rc: cannot read %s\n", path);
		return 1;
	}
	std::vector<uint8> bytes((std::istreambuf_iterator<char>(in)),
		std::istreambuf_iterator<char>());
	if (!is_platform_resource_file(bytes.data(), bytes.size()))
		return -1;
	std::string error;
	if (!read_platform_resources(bytes.data(), bytes.size(), compiled, &error)) {
		fprintf(stderr, "rc: %s: %s\n", path, error.c_str());
		return 1;
	}
	return 0;
}


// Opens the resources of path: a container of the kit as it is, a .rsrc file of the
// platform converted into a scratch container that lives as long as scratch stays open.
int
open_resources(const char* path, BFile* scratch, BResources* resources)
{
	std::vector<CompiledResource> compiled;
	int result = read_platform_file(path, &compiled);
	if (result > 0)
		return result;
	if (result < 0) {
		BFile file(path, B_READ_ONLY);
		status_t status = resources->SetTo(&file);
		return status == B_OK ? 0 : fail("cannot read resources of", path, status);
	}

	const char* directory = getenv("TMPDIR");
	std::string pattern = std::string(directory != NULL ? directory : "/tmp")
		+ "/rc-import.XXXXXX";
	int fd = mkstemp(pattern.data());
	if (fd < 0)
		return fail("cannot create a scratch file for", path, B_ERROR);
	close(fd);
	scratch->SetTo(pattern.c_str(), B_READ_WRITE);
	unlink(pattern.c_str());
	status_t status = scratch->InitCheck();
	if (status == B_OK)
		status = resources->SetTo(scratch, true);
	for (size_t i = 0; status == B_OK && i < compiled.size(); i++) {
		const CompiledResource& resource = compiled[i];
		status = resources->AddResource(resource.type, resource.id, resource.data.data(),
			resource.data.size(), resource.name.empty() ? NULL : resource.name.c_str());
	}
	if (status == B_OK)
		status = resources->Sync();
	return status == B_OK ? 0 : fail("cannot convert", path, status);
}


int
import(const char* containerPath, const char* platformPath)
{
	std::vector<CompiledResource> compiled;
	int result = read_platform_file(platformPath, &compiled);
	if (result < 0) {
		fprintf(stderr, "rc: %s: not a resource file of the platform\n", platformPath);
		return 1;
	}
	return result == 0 ? write_container(containerPath, compiled) : result;
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
	return write_container(containerPath, compiled);
}


int
attach(const char* containerPath, const char* targetPath)
{
	BFile scratch;
	BResources resources;
	if (int result = open_resources(containerPath, &scratch, &resources))
		return result;

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
	BFile scratch;
	BResources resources;
	if (int result = open_resources(path, &scratch, &resources))
		return result;

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
	if (argc == 4 && strcmp(argv[1], "--import") == 0)
		return import(argv[2], argv[3]);
	if (argc == 4 && strcmp(argv[1], "--attach") == 0)
		return attach(argv[2], argv[3]);
	if (argc == 3 && strcmp(argv[1], "--list") == 0)
		return list(argv[2]);
	return usage();
}
