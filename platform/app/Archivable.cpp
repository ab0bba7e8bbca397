#include <Archivable.h>

#include <Message.h>

#include <cxxabi.h>
#include <dlfcn.h>
#include <errno.h>
#include <stdlib.h>
#include <string.h>
#include <typeinfo>

#include <string>

namespace {

// The mangled name of className::Instantiate(BMessage*), or "" for a name that is not
// a C++ class name.
std::string
instantiate_symbol(const char* className)
{
	std::string symbol = "_ZN";
	const char* part = className;
	while (*part != '\0') {
		const char* end = strstr(part, "::");
		size_t length = end != NULL ? (size_t)(end - part) : strlen(part);
		if (length == 0)
			return "";
		for (size_t i = 0; i < length; i++) {
			char c = part[i];
			if (!(c == '_' || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')
					|| (i > 0 && c >= '0' && c <= '9')))
				return "";
		}
		symbol += std::to_string(length) + std::string(part, length);
		part += length + (end != NULL ? 2 : 0);
		if (end != NULL && *part == '\0')
			return "";
	}
	return symbol + "11InstantiateEP8BMessage";
}


instantiation_func
find_in(void* image, BMessage* archive)
{
	const char* name;
	for (int32 i = 0; archive->FindString("class", i, &name) == B_OK; i++) {
		std::string symbol = instantiate_symbol(name);
		if (symbol.empty())
			continue;
		if (void* function = dlsym(image, symbol.c_str()))
			return (instantiation_func)function;
	}
	return NULL;
}

} // namespace


BArchivable::BArchivable()
{
}


BArchivable::BArchivable(BMessage* from)
{
}


BArchivable::~BArchivable()
{
}


status_t
BArchivable::Archive(BMessage* into, bool deep) const
{
	if (into == NULL)
		return B_BAD_VALUE;

	int status = 0;
	char* name = abi::__cxa_demangle(typeid(*this).name(), NULL, NULL, &status);
	if (name == NULL)
		return B_NO_MEMORY;
	status_t result = into->AddString("class", name);
	free(name);
	return result;
}


BArchivable*
BArchivable::Instantiate(BMessage* from)
{
	return NULL;
}


status_t
BArchivable::AllArchived(BMessage* into) const
{
	return B_OK;
}


status_t
BArchivable::AllUnarchived(const BMessage* from)
{
	return B_OK;
}


bool
validate_instantiation(BMessage* from, const char* className)
{
	if (from == NULL || className == NULL)
		return false;
	const char* name;
	for (int32 i = 0; from->FindString("class", i, &name) == B_OK; i++) {
		if (strcmp(name, className) == 0)
			return true;
	}
	return false;
}


instantiation_func
find_instantiation_func(const char* className)
{
	if (className == NULL)
		return NULL;
	std::string symbol = instantiate_symbol(className);
	if (symbol.empty())
		return NULL;
	return (instantiation_func)dlsym(RTLD_DEFAULT, symbol.c_str());
}


instantiation_func
find_instantiation_func(BMessage* archive)
{
	return archive != NULL ? find_in(RTLD_DEFAULT, archive) : NULL;
}


BArchivable*
instantiate_object(BMessage* from, image_id* id)
{
	if (id != NULL)
		*id = -1;
	if (from == NULL) {
		errno = B_BAD_VALUE;
		return NULL;
	}
	instantiation_func function = find_in(RTLD_DEFAULT, from);
	if (function == NULL) {
		errno = B_BAD_VALUE;
		return NULL;
	}
	BArchivable* object = function(from);
	if (object == NULL)
		return NULL;
	status_t status = object->AllUnarchived(from);
	if (status != B_OK) {
		delete object;
		errno = status;
		return NULL;
	}
	return object;
}


BArchivable*
instantiate_object(BMessage* from)
{
	return instantiate_object(from, NULL);
}
