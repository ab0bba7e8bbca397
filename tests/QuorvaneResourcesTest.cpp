// The resources that the program's executable carries. This test executable carries the
// same definition, attached by the same build step; the program's own executable is checked
// too when it has been built.
#include <AppFileInfo.h>
#include <Message.h>
#include <Resources.h>
#include <TypeConstants.h>

#include "app/AppIdentity.h"

#include <gtest/gtest.h>

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
