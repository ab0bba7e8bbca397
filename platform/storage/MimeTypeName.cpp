#include "storage/MimeTypeName.h"

#include <StorageDefs.h>

#include <string.h>

namespace BPrivate {

namespace {

bool
is_type_character(char c)
{
	return c > ' ' && c < 0x7f && strchr("()<>@,;:\\\"/[]?=", c) == NULL;
}

} // namespace


bool
is_valid_mime_type(const char* type)
{
	if (type == NULL || type[0] == '\0' || strlen(type) >= B_MIME_TYPE_LENGTH)
		return false;
	const char* slash = strchr(type, '/');
	if (slash == type || (slash != NULL && (slash[1] == '\0' || strchr(slash + 1, '/'))))
		return false;
	for (const char* c = type; *c != '\0'; c++) {
		if (c != slash && !is_type_character(*c))
			return false;
	}
	return true;
}

} // namespace BPrivate
