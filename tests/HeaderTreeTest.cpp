// The public header tree: every header at its flat name (as applications include it) and at
// its place under be/<kit>/, each kit's umbrella header including the whole kit.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const fs::path kHeaders = fs::path(QV_SOURCE_DIR) / "platform" / "headers";

const std::map<std::string, std::string> kUmbrellas = {
	{ "app", "AppKit.h" }, { "interface", "InterfaceKit.h" }, { "kernel", "KernelKit.h" },
	{ "net", "NetworkKit.h" }, { "storage", "StorageKit.h" }, { "support", "SupportKit.h" }
};


std::vector<std::string>
includes_of(const fs::path& file)
{
	std::ifstream in(file);
	std::vector<std::string> names;
	std::regex include("^#include <([^>]+)>");
	std::smatch match;
	for (std::string line; std::getline(in, line);) {
		if (std::regex_search(line, match, include))
			names.push_back(match[1]);
	}
	return names;
}


std::set<std::string>
flat_headers()
{
	std::set<std::string> names;
	for (const fs::directory_entry& entry : fs::directory_iterator(kHeaders)) {
		if (entry.is_regular_file() && entry.path().extension() == ".h")
			names.insert(entry.path().filename());
	}
	return names;
}

} // namespace


TEST(HeaderTree, EveryHeaderHasOnePlaceUnderBe)
{
	std::map<std::string, int> places;
	for (const fs::directory_entry& entry : fs::recursive_directory_iterator(kHeaders / "be")) {
		if (!entry.is_regular_file())
			continue;
		std::vector<std::string> included = includes_of(entry.path());
		// A forwarding header includes the flat header of its own name, and nothing else.
		ASSERT_EQ(included.size(), 1u) << entry.path();
		EXPECT_EQ(included[0], entry.path().filename().string()) << entry.path();
		places[included[0]]++;
	}
	// The old C++ library's headers sat beside the kits, not in them.
	const std::set<std::string> libraryHeaders = { "algobase.h" };
	// The C library's headers the kit shapes as the platform's have their place under posix/.
	const std::set<std::string> posixHeaders = { "dirent.h" };
	for (const std::string& name : posixHeaders)
		EXPECT_TRUE(fs::exists(kHeaders / "posix" / name)) << name;
	for (const std::string& name : flat_headers()) {
		if (libraryHeaders.count(name) == 0 && posixHeaders.count(name) == 0) {
			EXPECT_EQ(places[name], 1) << name << " needs exactly one place under be/";
		}
	}
	for (const auto& [name, count] : places)
		EXPECT_TRUE(fs::exists(kHeaders / name)) << "be/ forwards to a missing " << name;
}


TEST(HeaderTree, UmbrellaHeadersIncludeTheirWholeKit)
{
	for (const auto& [kit, umbrella] : kUmbrellas) {
		std::vector<std::string> included = includes_of(kHeaders / umbrella);
		std::set<std::string> includedSet(included.begin(), included.end());
		for (const fs::directory_entry& entry : fs::directory_iterator(kHeaders / "be" / kit)) {
			EXPECT_EQ(includedSet.count(entry.path().filename()), 1u)
				<< umbrella << " lacks " << entry.path().filename();
		}
		for (const std::string& name : included)
			EXPECT_TRUE(fs::exists(kHeaders / "be" / kit / name)) << name << " in " << umbrella;
	}
}


TEST(HeaderTree, KernelPathsForwardToTheKernelKit)
{
	for (const fs::directory_entry& entry : fs::directory_iterator(kHeaders / "kernel")) {
		EXPECT_TRUE(fs::exists(kHeaders / "be" / "kernel" / entry.path().filename()))
			<< entry.path();
	}
	EXPECT_TRUE(fs::exists(kHeaders / "kernel" / "OS.h"));
}


TEST(HeaderTree, EveryKitIsReachableByItsShortPath)
{
	// <app/Window.h> and the like: platform/headers/<kit> links to be/<kit>, so that each
	// forwarder added under be/ is found by both paths.
	for (const fs::directory_entry& entry : fs::directory_iterator(kHeaders / "be")) {
		if (!entry.is_directory())
			continue;
		fs::path link = kHeaders / entry.path().filename();
		ASSERT_TRUE(fs::is_symlink(link)) << link << " should link to be/"
			<< entry.path().filename().string();
		EXPECT_EQ(fs::read_symlink(link), fs::path("be") / entry.path().filename());
	}
}


TEST(HeaderTree, PosixPathsForwardToTheCLibrary)
{
	for (const fs::directory_entry& entry
			: fs::recursive_directory_iterator(kHeaders / "posix")) {
		if (!entry.is_regular_file())
			continue;
		std::vector<std::string> included = includes_of(entry.path());
		ASSERT_EQ(included.size(), 1u) << entry.path();
		EXPECT_EQ(fs::path(included[0]),
			fs::relative(entry.path(), kHeaders / "posix")) << entry.path();
	}
	EXPECT_TRUE(fs::exists(kHeaders / "posix" / "sys" / "stat.h"));
}
