#include "translation/AddOnImage.h"

#include <image.h>
#include <stdio.h>
#include <string.h>


namespace BPrivate {

AddOnImage::AddOnImage()
	:
	fImage(-1)
{
}


AddOnImage::~AddOnImage()
{
	if (fImage >= 0)
		unload_add_on(fImage);
}


status_t
AddOnImage::Load(const char* path)
{
	if (fImage >= 0)
		return B_NOT_ALLOWED;
	image_id image = load_add_on(path);
	if (image == B_ENTRY_NOT_FOUND)
		return B_ENTRY_NOT_FOUND;
	if (image < 0) {
		fprintf(stderr, "add-on %s: %s\n", path, strerror(image));
		return B_BAD_VALUE;
	}
	fImage = image;
	return B_OK;
}


void*
AddOnImage::Symbol(const char* name) const
{
	void* symbol = NULL;
	if (fImage < 0
		|| get_image_symbol(fImage, name, B_SYMBOL_TYPE_ANY, &symbol) != B_OK)
		return NULL;
	return symbol;
}

} // namespace BPrivate
