#include "ScratchDirectory.h"

#include <stdio.h>
#include <stdlib.h>
#include <sys/xattr.h>

#include <filesystem>
#include <fstream>
#include <sstream>


ScratchDirectory::ScratchDirectory(const char* purpose)
{
	std::string pattern = std::string("/tmp/qv-") + purpose + "-XXXXXX";
	if (mkdtemp(pattern.data()) == NULL) {
		perror("mkdtemp");
		abort();
	}
	char* real = realpath(pattern.c_str(), NULL);
	fPath = real != NULL ? real : pattern;
	free(real);
}


ScratchDirectory::~ScratchDirectory()
{
	std::error_code ignored;
	std::filesystem::remove_all(fPath, ignored);
}


bool
ScratchDirectory::WriteFile(const std::string& name, const std::string& contents) const
{
	std::ofstream out(*this / name, std::ios::binary | std::ios::trunc);
	out << contents;
	return out.good();
}


bool
ScratchDirectory::KeepsUserAttributes() const
{
	if (setxattr(fPath.c_str(), "user.probe", "", 0, 0) != 0)
		return false;
	removexattr(fPath.c_str(), "user.probe");
	return true;
}


std::string
read_file(const std::string& path)
{
	std::ifstream in(path, std::ios::binary);
	std::stringstream contents;
	contents << in.rdbuf();
	return contents.str();
}
