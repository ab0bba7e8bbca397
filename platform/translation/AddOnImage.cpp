#include "translation/AddOnImage.h"

#include <dlfcn.h>
#include <stdio.h>
#include <unistd.h>


namespace BPrivate {

AddOnImage::AddOnImage()
	:
	fHandle(NULL)
{
}


AddOnImage::~AddOnImage()
{
	if (fHandle != NULL)
		dlclose(fHandle);
}


status_t
AddOnImage::Load(const char* path)
{
	if (fHandle != NULL)
		return B_NOT_ALLOWED;
	if (access(path, R_OK) != 0)
		return B_ENTRY_NOT_FOUND;
	// Each add-on keeps its own symbols: two translators both export "Identify".
	fHandle = dlopen(path, RTLD_NOW | RTLD_LOCAL);
	if (fHandle == NULL) {
		fprintf(stderr, "add-on %s: %s\n", path, dlerror());
		return B_BAD_VALUE;
	}
	return B_OK;
}


void*
AddOnImage::Symbol(const char* name) const
{
	if (fHandle == NULL)
		return NULL;
	return dlsym(fHandle, name);
}

} // namespace BPrivate
