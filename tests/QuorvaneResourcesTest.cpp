// The resources that the program's executable carries. This test executable carries the
// same definition, attached by the same build step; the program's own executable is checked
// too when it has been built, and so are the desktop's icons made from it.
#include <AppFileInfo.h>
#include <Bitmap.h>
#include <File.h>
#include <Message.h>
#include <Resources.h>
#include <TypeConstants.h>

#include "app/AppIdentity.h"

#include <gtest/gtest.h>

#include <cairo.h>

#include <fstream>
#include <limits.h>
#include <string.h>
#include <unistd.h>

#include <string>

namespace {

struct ExpectedResource {
	type_code	type;
	int32		id;
	const char*	name;
};

const ExpectedResource kResources[] = {
	{ B_MESSAGE_TYPE, 1, "BEOS:FILE_TYPES" },
	{ B_MESSAGE_TYPE, 19, "kGenericAppIcon" },
	{ B_MESSAGE_TYPE, 20, "kWindowIcon" },
	{ B_MESSAGE_TYPE, 21, "kViewIcon" },
	{ B_MIME_STRING_TYPE, 1, "BEOS:APP_SIG" },
	{ B_MIME_STRING_TYPE, 2, "BEOS:TYPE" },
	{ 'APPV', 1, "BEOS:APP_VERSION" },
	{ 'APPF', 1, "BEOS:APP_FLAGS" },
};


std::string
own_executable()
{
	char path[PATH_MAX];
	ssize_t length = readlink("/proc/self/exe", path, sizeof(path) - 1);
	if (length <= 0)
		return "";
	return std::string(path, length);
}


void
check_resources(const std::string& path)
{
	SCOPED_TRACE(path);
	BFile file(path.c_str(), B_READ_ONLY);
	BResources resources(&file);
	ASSERT_EQ(resources.InitCheck(), B_OK);

	int32 count = 0;
	while (resources.GetResourceInfo(count, NULL, NULL, NULL, NULL))
		count++;
	EXPECT_EQ(count, (int32)B_COUNT_OF(kResources));
	for (const ExpectedResource& expected : kResources) {
		const char* name = NULL;
		size_t size = 0;
		EXPECT_TRUE(resources.GetResourceInfo(expected.type, expected.id, &name, &size))
			<< expected.name;
		if (name != NULL) {
			EXPECT_STREQ(name, expected.name);
		}
	}

	size_t size;
	const char* type = static_cast<const char*>(
		resources.LoadResource(B_MIME_STRING_TYPE, 2, &size));
	ASSERT_NE(type, nullptr);
	EXPECT_EQ(std::string(type, size), std::string("application/x-vnd.Be-elfexecutable", 35));

	const void* fileTypes = resources.LoadResource(B_MESSAGE_TYPE, "BEOS:FILE_TYPES", &size);
	ASSERT_NE(fileTypes, nullptr);
	BMessage message;
	ASSERT_EQ(message.Unflatten(static_cast<const char*>(fileTypes), size), B_OK);
	EXPECT_TRUE(message.IsEmpty());

	EXPECT_TRUE(resources.GetResourceInfo('APPV', (int32)1, NULL, &size));
	EXPECT_EQ(size, 2 * sizeof(version_info));

	BPrivate::app_identity identity;
	ASSERT_EQ(BPrivate::read_app_identity(path.c_str(), &identity), B_OK);
	EXPECT_STREQ(identity.signature, "application/x-vnd.thessory-Quorvane");
	EXPECT_EQ(identity.flags, 0u);
	ASSERT_TRUE(identity.hasVersion);
	EXPECT_EQ(identity.appVersion.major, 1u);
	EXPECT_EQ(identity.appVersion.middle, 0u);
	EXPECT_EQ(identity.appVersion.minor, 0u);
	EXPECT_EQ(identity.appVersion.variety, (uint32)B_ALPHA_VERSION);
	EXPECT_EQ(identity.appVersion.internal, 3u);
	EXPECT_STREQ(identity.appVersion.short_info, "1.0a3");
	EXPECT_EQ(strncmp(identity.appVersion.long_info, "1.0a3 ", 6), 0);
	EXPECT_GT(strlen(identity.appVersion.long_info), 6u);
	version_info empty;
	memset(&empty, 0, sizeof(empty));
	EXPECT_EQ(memcmp(&identity.systemVersion, &empty, sizeof(empty)), 0);
}

} // namespace


TEST(QuorvaneResourcesTest, TheDefinitionGivesTheEightResources)
{
	check_resources(own_executable());
}


TEST(QuorvaneResourcesTest, TheProgramCarriesThem)
{
	std::string program = std::string(QV_BIN_DIR) + "/Quorvane";
	if (access(program.c_str(), X_OK) != 0)
		GTEST_SKIP() << "the program is not built";
	check_resources(program);
}


// Each PNG the build writes for the desktop is the application icon of the program's
// resources, every pixel a square, see-through where the icon is.
TEST(QuorvaneResourcesTest, TheDesktopIconsAreTheProgramsOwn)
{
	std::string program = std::string(QV_BIN_DIR) + "/Quorvane";
	if (access(program.c_str(), X_OK) != 0)
		GTEST_SKIP() << "the program is not built";
	BFile file(program.c_str(), B_READ_ONLY);
	BResources resources(&file);
	size_t length;
	const void* data = resources.LoadResource(B_MESSAGE_TYPE, "kGenericAppIcon", &length);
	ASSERT_NE(data, nullptr);
	BMessage archive;
	ASSERT_EQ(archive.Unflatten((const char*)data), B_OK);
	BBitmap icon(&archive);
	BBitmap expected(icon.Bounds(), B_RGBA32);
	ASSERT_EQ(expected.ImportBits(&icon), B_OK);

	for (int size : { 16, 48, 128 }) {
		SCOPED_TRACE(size);
		std::string path = std::string(QV_BIN_DIR) + "/../Sources/icons/"
			+ std::to_string(size) + "x" + std::to_string(size) + "/quorvane.png";
		cairo_surface_t* png = cairo_image_surface_create_from_png(path.c_str());
		ASSERT_EQ(cairo_surface_status(png), CAIRO_STATUS_SUCCESS) << path;
		ASSERT_EQ(cairo_image_surface_get_width(png), size);
		ASSERT_EQ(cairo_image_surface_get_height(png), size);
		const uint8* pixels = cairo_image_surface_get_data(png);
		int stride = cairo_image_surface_get_stride(png);
		int scale = size / 16;
		for (int y = 0; y < size; y++) {
			for (int x = 0; x < size; x++) {
				uint32 argb = *(const uint32*)(pixels + y * stride + x * 4);
				const uint8* source = (const uint8*)expected.Bits()
					+ (y / scale) * expected.BytesPerRow() + (x / scale) * 4;
				// Opaque or clear only, so premultiplying changes nothing.
				uint32 want = source[3] == 0 ? 0 : (uint32)source[3] << 24
					| source[2] << 16 | source[1] << 8 | source[0];
				ASSERT_EQ(argb, want) << x << ", " << y;
			}
		}
		cairo_surface_destroy(png);
	}
}


TEST(QuorvaneResourcesTest, TheDesktopEntryStartsTheProgramWithItsIcon)
{
	std::ifstream in(std::string(QV_SOURCE_DIR) + "/resources/quorvane.desktop");
	std::string entry((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
	EXPECT_EQ(entry.rfind("[Desktop Entry]\n", 0), 0u);
	for (const char* line : { "\nType=Application\n", "\nName=Quorvane\n",
			"\nExec=Quorvane\n", "\nIcon=quorvane\n", "\nTerminal=false\n" })
		EXPECT_NE(entry.find(line), std::string::npos) << line;
}
