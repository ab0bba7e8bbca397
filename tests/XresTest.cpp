// xres and mimeset, run as the platform's makefiles run them on a built application: the
// resources of a .rsrc file merged into an executable, a file added and a type removed,
// and the executable's type and signature given by mimeset.
#include <AppFileInfo.h>
#include <File.h>
#include <NodeInfo.h>
#include <Resources.h>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>
#include <string>

#include "PlatformResourceFileBuilder.h"
#include "ScratchDirectory.h"
#include "TestRuntime.h"

namespace {

class XresTest : public testing::Test {
protected:
	void SetUp() override
	{
		fApp = fDirectory / "App";
		std::ifstream in("/bin/true", std::ios::binary);
		std::ofstream out(fApp, std::ios::binary);
		out << in.rdbuf();
		out.close();
		chmod(fApp.c_str(), 0755);
	}

	int Run(const std::string& tool, const std::vector<std::string>& arguments)
	{
		std::string output;
		return fRuntime.Run(tool, arguments, &output, 10000000);
	}

	std::string WritePlatformFile(const std::vector<PlatformResource>& resources)
	{
		std::vector<uint8> bytes = PlatformResourceFileBuilder(false).Build(resources);
		std::string path = fDirectory / "App.rsrc";
		std::ofstream out(path, std::ios::binary);
		out.write((const char*)bytes.data(), bytes.size());
		return path;
	}

	TestRuntime			fRuntime;
	ScratchDirectory	fDirectory;
	std::string			fApp;
};

} // namespace


TEST_F(XresTest, MergesPlatformResourcesKeepingTheOthers)
{
	std::string rsrc = WritePlatformFile({
		{ 'MIMS', 1, "BEOS:APP_SIG", { 'a', 'p', 'p', '/', 'x', 0 } },
		{ 'DATA', 5, "five", { 1, 2, 3 } } });
	std::ofstream(fDirectory / "extra") << "extra bytes";
	ASSERT_EQ(Run("xres", { "-o", fApp, "-a", "TEXT:7:note", fDirectory / "extra" }), 0);
	ASSERT_EQ(Run("xres", { "-o", fApp, rsrc }), 0);

	BFile file(fApp.c_str(), B_READ_ONLY);
	BResources resources(&file);
	ASSERT_EQ(resources.InitCheck(), B_OK);
	size_t size = 0;
	const void* data = resources.LoadResource('DATA', 5, &size);
	ASSERT_NE(data, nullptr);
	EXPECT_EQ(size, 3u);
	data = resources.LoadResource('TEXT', 7, &size);
	ASSERT_NE(data, nullptr);
	EXPECT_EQ(std::string((const char*)data, size), "extra bytes");
	BAppFileInfo info(&file);
	char signature[B_MIME_TYPE_LENGTH];
	ASSERT_EQ(info.GetSignature(signature), B_OK);
	EXPECT_STREQ(signature, "app/x");
	// Still an executable.
	std::string output;
	EXPECT_EQ(fRuntime.Run(fApp, {}, &output, 10000000), 0);
}


TEST_F(XresTest, RemovesByTypeAndRefusesBadArguments)
{
	std::ofstream(fDirectory / "bytes") << "x";
	ASSERT_EQ(Run("xres", { "-o", fApp, "-a", "DATA:1", fDirectory / "bytes",
		"-a", "DATA:2", fDirectory / "bytes", "-a", "TEXT:1", fDirectory / "bytes" }), 0);
	ASSERT_EQ(Run("xres", { "-o", fApp, "-d", "DATA" }), 0);
	{
		BFile file(fApp.c_str(), B_READ_ONLY);
		BResources resources(&file);
		EXPECT_FALSE(resources.HasResource('DATA', 1));
		EXPECT_FALSE(resources.HasResource('DATA', 2));
		EXPECT_TRUE(resources.HasResource('TEXT', 1));
	}
	EXPECT_EQ(Run("xres", { "-o", fApp, "-a", "DATA", fDirectory / "bytes" }), 1);
	EXPECT_EQ(Run("xres", { "-o", fApp, fDirectory / "missing.rsrc" }), 1);
	EXPECT_EQ(Run("xres", { fApp }), 1);
}


TEST_F(XresTest, MimesetGivesTheApplicationItsTypeAndSignature)
{
	std::string rsrc = WritePlatformFile({
		{ 'MIMS', 1, "BEOS:APP_SIG", { 'a', 'p', 'p', '/', 'y', 0 } } });
	ASSERT_EQ(Run("xres", { "-o", fApp, rsrc }), 0);
	std::ofstream(fDirectory / "notes.txt") << "plain text\n";
	ASSERT_EQ(Run("mimeset", { "-f", fDirectory.Path() }), 0);

	BNode app(fApp.c_str());
	BNodeInfo appInfo(&app);
	char type[B_MIME_TYPE_LENGTH];
	ASSERT_EQ(appInfo.GetType(type), B_OK);
	EXPECT_STREQ(type, "application/x-vnd.Be-elfexecutable");
	char signature[B_MIME_TYPE_LENGTH] = {};
	EXPECT_GT(app.ReadAttr("BEOS:APP_SIG", B_MIME_STRING_TYPE, 0, signature,
		sizeof(signature)), 0);
	EXPECT_STREQ(signature, "app/y");

	BNode text((fDirectory / "notes.txt").c_str());
	BNodeInfo textInfo(&text);
	ASSERT_EQ(textInfo.GetType(type), B_OK);
	EXPECT_STREQ(type, "text/plain");
	EXPECT_EQ(Run("mimeset", { "-bogus", fApp }), 1);
	EXPECT_EQ(Run("mimeset", { fDirectory / "missing" }), 1);
}
