// A private world for tests that need the kit's services: its own runtime directory
// (exported to this process as BEKIT_RUNTIME_DIR, so that the kit here uses it too), its
// own registrar, and the kit executables a test starts in it.
//
//	TestRuntime runtime;
//	ASSERT_EQ(runtime.StartRegistrar(), B_OK);
//	pid_t app = runtime.Start("KitTestApp", { "application/x-vnd.test-a" });
//	ASSERT_TRUE(runtime.WaitForApp("application/x-vnd.test-a"));
//	...
//
// The destructor kills whatever is still running (applications first, then the
// registrar) and removes the directory. Every wait is bounded.
#ifndef _TEST_RUNTIME_H
#define _TEST_RUNTIME_H

#include <OS.h>

#include <signal.h>
#include <sys/types.h>

#include <string>
#include <vector>

#include "ScratchDirectory.h"

class TestRuntime {
public:
							TestRuntime();
							~TestRuntime();

	const std::string&		Directory() const { return fDirectory.Path(); }

	// Starts the registrar of the build and waits until it answers.
	status_t				StartRegistrar();
	// SIGTERM, then SIGKILL if it lingers; a registrar that the applications started
	// in this directory is stopped too.
	void					StopRegistrar();
	// Sends signal to the registrar that serves the directory now, whoever started it,
	// and waits until it has ended; false when none served or it did not end in time.
	bool					SignalRegistrar(int signal, bigtime_t timeout = 5000000);
	// The process of the registrar that serves the directory now (found by the
	// credentials of its socket), or -1.
	static pid_t			RegistrarProcess();
	// Whether a process, our child or not, has ended (a zombie nobody reaps counts).
	static bool				HasEnded(pid_t process);
	// Stops a process (SIGSTOP) and waits until every thread of it has stopped: a signal
	// takes a moment to reach each. False when it did not stop in time.
	static bool				Suspend(pid_t process, bigtime_t timeout = 5000000);

	// Starts a kit executable of the build (by name, from the build's bin directory; an
	// absolute path names any executable) with the arguments; its standard output goes to outputFile when given.
	pid_t					Start(const std::string& name,
								const std::vector<std::string>& arguments = {},
								const std::string& outputFile = "");
	// Waits for the process to end; its exit status (as waitpid reports it), or -1 when
	// it did not end in time.
	int						Wait(pid_t process, bigtime_t timeout = 5000000);
	// Sends signal, then waits as Wait does.
	int						Stop(pid_t process, int signal = SIGTERM,
								bigtime_t timeout = 5000000);
	// Starts a kit executable, waits for it to end and reads its standard output into
	// output; its exit code, or -1 when it did not exit in time.
	int						Run(const std::string& name,
								const std::vector<std::string>& arguments,
								std::string* output, bigtime_t timeout);

	// Polls the roster until an application of that signature is registered.
	bool					WaitForApp(const char* signature,
								bigtime_t timeout = 5000000) const;
	// Polls the roster until no application of that team is registered.
	bool					WaitForAppGone(team_id team, bigtime_t timeout = 5000000) const;

	static std::string		BinaryPath(const std::string& name);

private:
	// Removed after the destructor has stopped the processes that use it.
	ScratchDirectory		fDirectory;
	pid_t					fRegistrar = -1;
	std::vector<pid_t>		fProcesses;
};

#endif // _TEST_RUNTIME_H
