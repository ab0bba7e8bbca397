#include <Path.h>

#include <Entry.h>

#include <stdlib.h>
#include <string.h>

#include <string>

#include "storage/PathNormalization.h"

using namespace BPrivate;

namespace {

// Relative paths and ".", "..", empty components or a trailing slash need the file
// system's help.
bool
NeedsNormalization(const std::string& path)
{
	if (path.empty() || path[0] != '/')
		return true;
	if (path == "/")
		return false;
	if (path.back() == '/')
		return true;
	std::string components = path + "/";
	return components.find("//") != std::string::npos
		|| components.find("/./") != std::string::npos
		|| components.find("/../") != std::string::npos;
}

} // namespace


BPath::BPath()
	:
	fName(NULL),
	fStatus(B_NO_INIT)
{
}


BPath::BPath(const char* dir, const char* leaf, bool normalize)
	:
	BPath()
{
	SetTo(dir, leaf, normalize);
}


BPath::BPath(const entry_ref* ref)
	:
	BPath()
{
	SetTo(ref);
}


BPath::BPath(const BEntry* entry)
	:
	BPath()
{
	SetTo(entry);
}


BPath::BPath(const BPath& other)
	:
	BPath()
{
	*this = other;
}


BPath::~BPath()
{
	free(fName);
}


status_t
BPath::SetTo(const char* path, const char* leaf, bool normalize)
{
	if (path == NULL || (leaf != NULL && leaf[0] == '/')) {
		Unset();
		return fStatus = B_BAD_VALUE;
	}
	std::string full = path;
	if (leaf != NULL && leaf[0] != '\0') {
		if (full.empty() || full.back() != '/')
			full += '/';
		full += leaf;
	}
	if (!normalize && !NeedsNormalization(full)) {
		_Adopt(strdup(full.c_str()));
		return fStatus;
	}
	std::string normalized;
	status_t status = NormalizePath(full.c_str(), false, &normalized);
	if (status != B_OK) {
		Unset();
		return fStatus = status;
	}
	_Adopt(strdup(normalized.c_str()));
	return fStatus;
}


status_t
BPath::SetTo(const entry_ref* ref)
{
	if (ref == NULL) {
		Unset();
		return fStatus = B_BAD_VALUE;
	}
	BEntry entry(ref);
	return SetTo(&entry);
}


status_t
BPath::SetTo(const BEntry* entry)
{
	if (entry == NULL) {
		Unset();
		return fStatus = B_BAD_VALUE;
	}
	status_t status = entry->GetPath(this);
	if (status != B_OK) {
		Unset();
		fStatus = status;
	}
	return status;
}


void
BPath::Unset()
{
	free(fName);
	fName = NULL;
	fStatus = B_NO_INIT;
}


status_t
BPath::Append(const char* path, bool normalize)
{
	if (fStatus != B_OK)
		return B_BAD_VALUE;
	if (path == NULL || path[0] == '/')
		return B_BAD_VALUE;
	std::string current = fName;
	return SetTo(current.c_str(), path, normalize);
}


status_t
BPath::GetParent(BPath* parent) const
{
	if (parent == NULL)
		return B_BAD_VALUE;
	if (fStatus != B_OK)
		return fStatus;
	if (strcmp(fName, "/") == 0)
		return B_ENTRY_NOT_FOUND;
	std::string directory, leaf;
	SplitPath(fName, &directory, &leaf);
	return parent->SetTo(directory.c_str());
}


const char*
BPath::Leaf() const
{
	if (fName == NULL)
		return NULL;
	return strrchr(fName, '/') + 1;
}


BPath&
BPath::operator=(const BPath& other)
{
	if (this != &other) {
		if (other.fName != NULL)
			_Adopt(strdup(other.fName));
		else {
			Unset();
			fStatus = other.fStatus;
		}
	}
	return *this;
}


BPath&
BPath::operator=(const char* path)
{
	if (path == NULL)
		Unset();
	else
		SetTo(path);
	return *this;
}


bool
BPath::operator==(const BPath& other) const
{
	if (fName == NULL || other.fName == NULL)
		return fName == other.fName;
	return strcmp(fName, other.fName) == 0;
}


bool
BPath::operator==(const char* path) const
{
	if (fName == NULL || path == NULL)
		return fName == path;
	return strcmp(fName, path) == 0;
}


bool
BPath::operator!=(const BPath& other) const
{
	return !(*this == other);
}


bool
BPath::operator!=(const char* path) const
{
	return !(*this == path);
}


void
BPath::_Adopt(char* path)
{
	free(fName);
	fName = path;
	fStatus = path != NULL ? B_OK : B_NO_MEMORY;
}
