#include <Archivable.h>

#include <Message.h>
#include <Path.h>
#include <Roster.h>
#include <image.h>

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


// The first Instantiate of the archive's "class" names that lookup finds.
template<typename Lookup>
instantiation_func
find_with(BMessage* archive, Lookup lookup)
{
	const char* name;
	for (int32 i = 0; archive->FindString("class", i, &name) == B_OK; i++) {
		std::string symbol = instantiate_symbol(name);
		if (symbol.empty())
			continue;
		if (void* function = lookup(symbol.c_str()))
			return (instantiation_func)function;
	}
	return NULL;
}


instantiation_func
find_in(void* image, BMessage* archive)
{
	return find_with(archive, [image](const char* symbol) { return dlsym(image, symbol); });
}


// Loads the executable of the archive's "add_on" signature and finds the class there.
instantiation_func
find_in_add_on(BMessage* archive, image_id* id)
{
	const char* signature;
	entry_ref ref;
	if (archive->FindString("add_on", &signature) != B_OK || be_roster == NULL
		|| be_roster->FindApp(signature, &ref) != B_OK) {
		errno = B_MISSING_LIBRARY;
		return NULL;
	}
	BPath path(&ref);
	image_id image = path.InitCheck() == B_OK ? load_add_on(path.Path()) : B_ENTRY_NOT_FOUND;
	if (image < 0) {
		errno = B_MISSING_LIBRARY;
		return NULL;
	}
	instantiation_func function = find_with(archive, [image](const char* symbol) {
		void* location = NULL;
		get_image_symbol(image, symbol, B_SYMBOL_TYPE_TEXT, &location);
		return location;
	});
	if (function == NULL) {
		unload_add_on(image);
		errno = B_MISSING_SYMBOL;
		return NULL;
	}
	*id = image;
	return function;
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
	image_id image = -1;
	if (id != NULL)
		*id = -1;
	if (from == NULL) {
		errno = B_BAD_VALUE;
		return NULL;
	}
	instantiation_func function = find_in(RTLD_DEFAULT, from);
	if (function == NULL && from->HasString("add_on"))
		function = find_in_add_on(from, &image);
	else if (function == NULL)
		errno = B_BAD_VALUE;
	if (function == NULL)
		return NULL;
	if (id != NULL)
		*id = image;
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
