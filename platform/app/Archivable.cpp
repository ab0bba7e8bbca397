#include <Archivable.h>

#include <Message.h>

#include <cxxabi.h>
#include <stdlib.h>
#include <string.h>
#include <typeinfo>

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
