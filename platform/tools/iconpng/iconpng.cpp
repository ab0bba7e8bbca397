// iconpng: writes a bitmap archived in the resources of a kit executable as a PNG file of
// size by size pixels, enlarged without smoothing (each pixel a square), so that the
// desktop's menus show the program with the icon it carries.
//
//	iconpng <executable> <resource id or name> <size> <output.png>
//
// The resource is of type B_MESSAGE_TYPE ('MSGG') and holds an archived BBitmap; its
// transparent pixels stay transparent. Exit status 0 on success, 1 with a message on
// standard error otherwise.
#include <Bitmap.h>
#include <File.h>
#include <Message.h>
#include <Resources.h>

#include <cairo.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

// The largest icon written: desktops ask for 256 pixels at most.
static const int32 kMaxSize = 512;


static int
fail(const char* what, const char* detail)
{
	fprintf(stderr, "iconpng: %s: %s\n", what, detail);
	return 1;
}


int
main(int argc, char** argv)
{
	if (argc != 5) {
		fprintf(stderr,
			"usage: iconpng <executable> <resource id or name> <size> <output.png>\n");
		return 1;
	}
	const char* resource = argv[2];
	bool byId = resource[0] != '\0' && strspn(resource, "0123456789") == strlen(resource);
	int32 size = atoi(argv[3]);
	if (size < 1 || size > kMaxSize)
		return fail(argv[3], "the size must be 1 to 512 pixels");

	BFile file(argv[1], B_READ_ONLY);
	if (file.InitCheck() != B_OK)
		return fail(argv[1], strerror(file.InitCheck()));
	BResources resources(&file);
	if (resources.InitCheck() != B_OK)
		return fail(argv[1], "carries no resources");
	size_t length;
	const void* data = byId
		? resources.LoadResource(B_MESSAGE_TYPE, atoi(resource), &length)
		: resources.LoadResource(B_MESSAGE_TYPE, resource, &length);
	if (data == NULL)
		return fail(argv[1], "has no such icon");
	BMessage archive;
	if (archive.Unflatten((const char*)data) != B_OK)
		return fail(argv[1], "the icon's archive cannot be read");
	BBitmap icon(&archive);
	if (icon.InitCheck() != B_OK)
		return fail(argv[1], "the icon's archive holds no bitmap");

	BBitmap pixels(icon.Bounds(), B_RGBA32);
	if (pixels.InitCheck() != B_OK || pixels.ImportBits(&icon) != B_OK)
		return fail(argv[1], "the icon's colours cannot be converted");
	int32 width = pixels.Bounds().IntegerWidth() + 1;
	int32 height = pixels.Bounds().IntegerHeight() + 1;

	cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
	if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS)
		return fail(argv[4], "no memory for the picture");
	cairo_surface_flush(surface);
	uint8* target = cairo_image_surface_get_data(surface);
	int32 stride = cairo_image_surface_get_stride(surface);
	const uint8* source = (const uint8*)pixels.Bits();
	for (int32 y = 0; y < size; y++) {
		const uint8* row = source + (y * height / size) * pixels.BytesPerRow();
		uint32* out = (uint32*)(target + y * stride);
		for (int32 x = 0; x < size; x++) {
			// B_RGBA32 is blue, green, red, alpha in memory; cairo wants premultiplied
			// alpha, red, green, blue in a native 32-bit word.
			const uint8* pixel = row + (x * width / size) * 4;
			uint32 alpha = pixel[3];
			out[x] = alpha << 24 | (pixel[2] * alpha / 255) << 16
				| (pixel[1] * alpha / 255) << 8 | pixel[0] * alpha / 255;
		}
	}
	cairo_surface_mark_dirty(surface);
	cairo_status_t status = cairo_surface_write_to_png(surface, argv[4]);
	cairo_surface_destroy(surface);
	if (status != CAIRO_STATUS_SUCCESS)
		return fail(argv[4], cairo_status_to_string(status));
	return 0;
}
