// The kit as an SDK: the build installs into a scratch prefix, an application written as
// in the platform's early days (tests/apps/EraApp) builds there with pkg-config alone, passes
// its own checks against the installed libbe and registrar, and the installed Quorvane
// explores it.
#include <OS.h>

#include <gtest/gtest.h>

#include <stdio.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>

#include "ScratchDirectory.h"
#include "TestRuntime.h"
#include "WaitFor.h"

namespace {

// Runs command with sh, its output (both streams) into output; true when it exits 0.
bool
run(const std::string& command, std::string& output)
{
	FILE* pipe = popen((command + " 2>&1").c_str(), "r");
	if (pipe == NULL)
		return false;
	char buffer[4096];
	size_t read;
	output.clear();
	while ((read = fread(buffer, 1, sizeof(buffer), pipe)) > 0)
		output.append(buffer, read);
	int status = pclose(pipe);
	return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}



// Sets an environment variable for the lifetime of the object.
class ScopedVariable {
public:
	ScopedVariable(const char* name, const std::string& value)
		: fName(name)
	{
		const char* previous = getenv(name);
		fHad = previous != NULL;
		if (fHad)
			fPrevious = previous;
		setenv(name, value.c_str(), 1);
	}

	~ScopedVariable()
	{
		if (fHad)
			setenv(fName, fPrevious.c_str(), 1);
		else
			unsetenv(fName);
	}

private:
	const char* fName;
	bool fHad;
	std::string fPrevious;
};

} // namespace


TEST(SdkInstall, EraApplicationBuildsFromTheInstalledKitAndIsExplored)
{
	ScratchDirectory scratch("sdk");
	std::string prefix = scratch / "prefix";
	std::string buildDirectory = std::string(QV_BIN_DIR) + "/..";
	std::string output;
	ASSERT_TRUE(run("cmake --install '" + buildDirectory + "' --prefix '" + prefix + "'",
		output)) << output;

	// The desktop finds the program's entry and its icon.
	EXPECT_EQ(access((prefix + "/share/applications/quorvane.desktop").c_str(), R_OK), 0);
	EXPECT_EQ(access((prefix + "/share/icons/hicolor/48x48/apps/quorvane.png").c_str(), R_OK),
		0);

	// pkg-config sees the installed kit and nothing else.
	ASSERT_TRUE(run("dirname \"$(find '" + prefix + "' -name bekit.pc)\"", output)) << output;
	std::string pcDirectory = output.substr(0, output.find('\n'));
	std::string pkgConfig = "PKG_CONFIG_LIBDIR='" + pcDirectory + "' PKG_CONFIG_PATH= pkg-config";
	ASSERT_TRUE(run(pkgConfig + " --cflags bekit", output)) << output;
	EXPECT_NE(output.find(prefix), std::string::npos) << output;
	EXPECT_EQ(output.find(QV_SOURCE_DIR), std::string::npos) << output;

	std::string application = scratch / "EraApp";
	std::string source = std::string(QV_SOURCE_DIR) + "/tests/apps/EraApp/EraApp.cpp";
	ASSERT_TRUE(run("g++ -std=gnu++17 -fpermissive -w '" + source + "' -o '" + application
		+ "' $(" + pkgConfig + " --cflags --libs bekit)"
		+ " -Wl,-rpath,$(" + pkgConfig + " --variable=libdir bekit)", output)) << output;
	// The executable links the installed library, by its soname.
	ASSERT_TRUE(run("ldd '" + application + "'", output)) << output;
	EXPECT_NE(output.find("libbe.so.1 => " + prefix), std::string::npos) << output;

	// The application starts the installed registrar, found on PATH.
	TestRuntime runtime;
	ScopedVariable display("BE_DISPLAY", "offscreen");
	ScopedVariable path("PATH", prefix + "/bin:" + getenv("PATH"));
	ScopedVariable config("XDG_CONFIG_HOME", scratch / "config");
	std::string checkOutput = scratch / "check.out";
	pid_t checker = runtime.Start(application, { "--check" }, checkOutput);
	ASSERT_GT(checker, 0);
	int status = runtime.Wait(checker, 20000000);
	EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << read_file(checkOutput);
	EXPECT_NE(read_file(checkOutput).find("EraApp: all checks passed"), std::string::npos)
		<< read_file(checkOutput);
	EXPECT_EQ(read_file(scratch / "config/EraApp_settings"), "1999");

	pid_t era = runtime.Start(application);
	ASSERT_TRUE(runtime.WaitForApp("application/x-vnd.test-era", 20000000));
	std::string analysis = scratch / "quorvane.out";
	pid_t quorvane = runtime.Start(prefix + "/bin/Quorvane", { "EraApp" }, analysis);
	// The view's line is written after the window's count: wait for both.
	wait_for([&] {
		std::string text = read_file(analysis);
		return text.find("Application EraApp reports 1 windows") != std::string::npos
			&& text.find("EraView") != std::string::npos;
	}, 6 * kWaitTimeout, 100000);
	EXPECT_NE(read_file(analysis).find("Application EraApp reports 1 windows"),
		std::string::npos) << read_file(analysis);
	EXPECT_NE(read_file(analysis).find("EraView"), std::string::npos) << read_file(analysis);
	runtime.Stop(quorvane);
	runtime.Stop(era);
}
