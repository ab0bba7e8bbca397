#include <AppFileInfo.h>
#include <Message.h>
#include <Rect.h>
#include <Resources.h>
#include <TypeConstants.h>

#include "app/AppIdentity.h"

#include <gtest/gtest.h>

#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "PlatformResourceFileBuilder.h"
#include "ScratchDirectory.h"

namespace {

class ResourceCompilerTest : public ::testing::Test {
protected:
	// Runs rc with arguments; its standard error ends up in fErrors.
	int RunCompiler(const std::string& arguments)
	{
		std::string errors = fScratch / "errors";
		std::string command = std::string(QV_BIN_DIR) + "/rc " + arguments + " 2>'"
			+ errors + "'";
		int status = system(command.c_str());
		std::ifstream in(errors);
		std::stringstream text;
		text << in.rdbuf();
		fErrors = text.str();
		return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
	}

	int Compile(const std::string& definition, const std::string& container)
	{
		std::string source = fScratch / "test.rdef";
		std::ofstream(source) << definition;
		return RunCompiler("-o '" + container + "' '" + source + "'");
	}

	ScratchDirectory fScratch{"rc"};
	std::string fErrors;
};


const char* kDefinition = R"(
# every kind of value
resource 'MIMS' 1 "BEOS:APP_SIG" { string "application/x-vnd.test-Compiler" }
resource 'APPF' 1 "BEOS:APP_FLAGS" { flags B_EXCLUSIVE_LAUNCH | B_BACKGROUND_APP | 0x10 }
resource 'APPV' 1 "BEOS:APP_VERSION" {
	version { major 2 middle 1 minor 0 variety beta internal 7 short "2.1b7"
		long "2.1b7 \xc2\xa9 Someone" }
	version { }
}
resource 'LONG' -3 { int32 -2 uint32 0xffffffff int32 'abcd' }
resource 'MSGG' 5 "nested" {
	message 'test' {
		string "text" "a \"quoted\" word"
		int32 "count" 3
		bool "flag" true
		message "inner" 7 { int32 "n" 1 }
	}
}
resource 'MSGG' 6 "picture" {
	bitmap {
		size 3 2
		key "." 255 "a" 1
		key "b" 200
		row "a.b"
		row "bba"
	}
}
)";

} // namespace


TEST_F(ResourceCompilerTest, CompilesEveryKindOfValue)
{
	std::string container = fScratch / "out.rsrc";
	ASSERT_EQ(Compile(kDefinition, container), 0) << fErrors;

	BFile file(container.c_str(), B_READ_ONLY);
	BResources resources(&file);
	ASSERT_EQ(resources.InitCheck(), B_OK);

	BPrivate::app_identity identity;
	ASSERT_EQ(BPrivate::read_app_identity(container.c_str(), &identity), B_OK);
	EXPECT_STREQ(identity.signature, "application/x-vnd.test-Compiler");
	EXPECT_EQ(identity.flags, 0x2u | 0x4u | 0x10u);
	ASSERT_TRUE(identity.hasVersion);
	EXPECT_EQ(identity.appVersion.major, 2u);
	EXPECT_EQ(identity.appVersion.middle, 1u);
	EXPECT_EQ(identity.appVersion.variety, (uint32)B_BETA_VERSION);
	EXPECT_EQ(identity.appVersion.internal, 7u);
	EXPECT_STREQ(identity.appVersion.short_info, "2.1b7");
	EXPECT_STREQ(identity.appVersion.long_info, "2.1b7 \xc2\xa9 Someone");
	EXPECT_EQ(identity.systemVersion.major, 0u);
	EXPECT_STREQ(identity.systemVersion.long_info, "");

	size_t size;
	const uint8* numbers = static_cast<const uint8*>(
		resources.LoadResource('LONG', -3, &size));
	ASSERT_NE(numbers, nullptr);
	const uint8 expected[] = { 0xfe, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff,
		'd', 'c', 'b', 'a' };
	ASSERT_EQ(size, sizeof(expected));
	EXPECT_EQ(memcmp(numbers, expected, size), 0);
	const char* name = NULL;
	EXPECT_TRUE(resources.GetResourceInfo('LONG', (int32)-3, &name, &size));
	EXPECT_STREQ(name, "");

	const void* flat = resources.LoadResource(B_MESSAGE_TYPE, "nested", &size);
	ASSERT_NE(flat, nullptr);
	BMessage message;
	ASSERT_EQ(message.Unflatten(static_cast<const char*>(flat), size), B_OK);
	EXPECT_EQ(message.what, (uint32)'test');
	const char* text = NULL;
	EXPECT_EQ(message.FindString("text", &text), B_OK);
	EXPECT_STREQ(text, "a \"quoted\" word");
	int32 number = 0;
	EXPECT_EQ(message.FindInt32("count", &number), B_OK);
	EXPECT_EQ(number, 3);
	bool flag = false;
	EXPECT_EQ(message.FindBool("flag", &flag), B_OK);
	EXPECT_TRUE(flag);
	BMessage inner;
	ASSERT_EQ(message.FindMessage("inner", &inner), B_OK);
	EXPECT_EQ(inner.what, 7u);
	EXPECT_EQ(inner.FindInt32("n", &number), B_OK);
	EXPECT_EQ(number, 1);

	flat = resources.LoadResource(B_MESSAGE_TYPE, 6, &size);
	ASSERT_NE(flat, nullptr);
	BMessage archive;
	ASSERT_EQ(archive.Unflatten(static_cast<const char*>(flat), size), B_OK);
	EXPECT_EQ(archive.FindString("class", &text), B_OK);
	EXPECT_STREQ(text, "BBitmap");
	BRect frame;
	EXPECT_EQ(archive.FindRect("_frame", &frame), B_OK);
	EXPECT_EQ(frame, BRect(0, 0, 2, 1));
	EXPECT_EQ(archive.FindInt32("_cspace", &number), B_OK);
	EXPECT_EQ(number, 4);
	EXPECT_EQ(archive.FindInt32("_rowbytes", &number), B_OK);
	EXPECT_EQ(number, 4);
	const void* bits;
	ssize_t bitsSize;
	ASSERT_EQ(archive.FindData("_data", B_RAW_TYPE, &bits, &bitsSize), B_OK);
	const uint8 pixels[] = { 1, 255, 200, 0, 200, 200, 1, 0 };
	ASSERT_EQ(bitsSize, (ssize_t)sizeof(pixels));
	EXPECT_EQ(memcmp(bits, pixels, sizeof(pixels)), 0);
}


TEST_F(ResourceCompilerTest, MistakesAreReportedWithTheirLine)
{
	struct Case {
		const char* definition;
		const char* error;
	};
	const Case cases[] = {
		{ "resource 'TEXT' 1 { string \"a\" }\nresource 'TEXT' 1 { }", "line 2:" },
		{ "resource 'TEXT' 1 {\n  colour \"red\" }", "line 2: unknown value kind" },
		{ "resource 'TEXT' 1 { string \"open }\n", "line 1: a string ends" },
		{ "resource 'TEXT' 1 { string \"open }", "line 1: unterminated string" },
		{ "resource 'TEX' 1 { }", "four characters" },
		{ "resource 'APPF' 1 { flags B_SOMETIMES_LAUNCH }", "unknown flag" },
		{ "resource 'APPV' 1 { version { short \""
			"12345678901234567890123456789012345678901234567890123456789012345\" } }",
			"longer than 63 bytes" },
		{ "resource 'MSGG' 1 { bitmap { size 2 1 key \".\" 255 row \"...\" } }",
			"a row has 2 pixels" },
		{ "resource 'MSGG' 1 { bitmap { size 2 1 key \".\" 255 row \".x\" } }",
			"no key for 'x'" },
		{ "resource 'MSGG' 1 { bitmap { size 2 2 key \".\" 255 row \"..\" } }",
			"one row per line" },
		{ "resource 'LONG' 1 { int32 4294967296 }", "out of range" },
		{ "resource 'LONG' 1 { int32 1 ", "expected '}'" },
	};
	std::string container = fScratch / "never.rsrc";
	for (const Case& c : cases) {
		EXPECT_EQ(Compile(c.definition, container), 1) << c.definition;
		EXPECT_NE(fErrors.find(c.error), std::string::npos)
			<< c.definition << "\ngave: " << fErrors;
		EXPECT_NE(access(container.c_str(), F_OK), 0) << c.definition;
	}
	EXPECT_EQ(RunCompiler("--bogus"), 1);
	EXPECT_EQ(RunCompiler("-o '" + container + "' '" + fScratch / "missing.rdef'"), 1);
}


TEST_F(ResourceCompilerTest, AttachingReplacesAnExecutablesResources)
{
	std::string container = fScratch / "out.rsrc";
	ASSERT_EQ(Compile(kDefinition, container), 0) << fErrors;
	std::string program = fScratch / "program";
	std::error_code error;
	ASSERT_TRUE(std::filesystem::copy_file("/bin/true", program, error)) << error.message();

	// Twice: the second attach replaces the first container instead of adding one.
	ASSERT_EQ(RunCompiler("--attach '" + container + "' '" + program + "'"), 0) << fErrors;
	ASSERT_EQ(RunCompiler("--attach '" + container + "' '" + program + "'"), 0) << fErrors;
	EXPECT_EQ(system(("'" + program + "'").c_str()), 0);

	BPrivate::app_identity identity;
	ASSERT_EQ(BPrivate::read_app_identity(program.c_str(), &identity), B_OK);
	EXPECT_STREQ(identity.signature, "application/x-vnd.test-Compiler");

	std::string listing = fScratch / "listing";
	ASSERT_EQ(system((std::string(QV_BIN_DIR) + "/rc --list '" + program + "' >'" + listing
		+ "'").c_str()), 0);
	std::ifstream in(listing);
	std::string line;
	int lines = 0;
	while (std::getline(in, line))
		lines++;
	EXPECT_EQ(lines, 6);

	EXPECT_EQ(RunCompiler("--attach '" + program + "' '" + fScratch / "nothing'"), 1);
}


TEST_F(ResourceCompilerTest, ThePlatformsResourceFilesAreImportedAndAttached)
{
	std::vector<uint8> version(2 * 340, 0);
	version[3] = 3;
	strcpy((char*)version.data() + 20, "3.0");
	std::vector<uint8> bytes = PlatformResourceFileBuilder(true).Build({
		{ 'MIMS', 1, "BEOS:APP_SIG", { 'a', 'p', 'p', '/', 'x', 0 } },
		{ 'APPV', 1, "BEOS:APP_VERSION", version },
		{ 'PICT', 4, "picture", std::vector<uint8>(12, 0x3f) } });
	std::string platformFile = fScratch / "Old.rsrc";
	std::ofstream(platformFile, std::ios::binary).write((const char*)bytes.data(),
		bytes.size());

	std::string container = fScratch / "imported";
	ASSERT_EQ(RunCompiler("--import '" + container + "' '" + platformFile + "'"), 0)
		<< fErrors;
	BFile file(container.c_str(), B_READ_ONLY);
	BResources resources(&file);
	ASSERT_EQ(resources.InitCheck(), B_OK);
	size_t size = 0;
	const void* picture = resources.LoadResource('PICT', 4, &size);
	ASSERT_NE(picture, nullptr);
	EXPECT_EQ(size, 12u);
	EXPECT_EQ(((const uint8*)picture)[11], 0x3f);

	// Attached straight from the .rsrc file, as its developer would.
	std::string program = fScratch / "program";
	std::error_code error;
	ASSERT_TRUE(std::filesystem::copy_file("/bin/true", program, error)) << error.message();
	ASSERT_EQ(RunCompiler("--attach '" + platformFile + "' '" + program + "'"), 0) << fErrors;
	EXPECT_EQ(system(("'" + program + "'").c_str()), 0);
	BAppFileInfo info;
	BFile executable(program.c_str(), B_READ_ONLY);
	ASSERT_EQ(info.SetTo(&executable), B_OK);
	char signature[B_MIME_TYPE_LENGTH];
	ASSERT_EQ(info.GetSignature(signature), B_OK);
	EXPECT_STREQ(signature, "app/x");
	version_info read;
	ASSERT_EQ(info.GetVersionInfo(&read, B_APP_VERSION_KIND), B_OK);
	EXPECT_EQ(read.major, 3u);
	EXPECT_STREQ(read.short_info, "3.0");

	// A damaged file is refused with its reason, and the program keeps its resources.
	bytes.resize(bytes.size() - 20);
	std::ofstream(platformFile, std::ios::binary | std::ios::trunc).write(
		(const char*)bytes.data(), bytes.size());
	EXPECT_EQ(RunCompiler("--attach '" + platformFile + "' '" + program + "'"), 1);
	EXPECT_NE(fErrors.find("Old.rsrc: "), std::string::npos) << fErrors;
	EXPECT_EQ(info.GetSignature(signature), B_OK);
	EXPECT_EQ(RunCompiler("--import '" + container + "' '" + program + "'"), 1);
	EXPECT_NE(fErrors.find("not a resource file of the platform"), std::string::npos)
		<< fErrors;
}
