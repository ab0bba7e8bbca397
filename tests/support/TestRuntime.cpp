#include "TestRuntime.h"

#include <Message.h>
#include <Roster.h>

#include <dirent.h>
#include <errno.h>

#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "app/LinkConnection.h"
#include "app/RegistrarDefs.h"
#include "app/RosterPrivate.h"
#include "app/RuntimeDirectory.h"
#include "WaitFor.h"


TestRuntime::TestRuntime()
	:
	fDirectory("runtime")
{
	setenv(BPrivate::kRuntimeDirEnvironment, fDirectory.Path().c_str(), 1);
}


TestRuntime::~TestRuntime()
{
	// Stop takes each process off the list; walk a copy.
	std::vector<pid_t> processes = fProcesses;
	for (pid_t process : processes)
		Stop(process, SIGKILL, 2000000);
	StopRegistrar();
}


std::string
TestRuntime::BinaryPath(const std::string& name)
{
	return name[0] == '/' ? name : std::string(QV_BIN_DIR) + "/" + name;
}


status_t
TestRuntime::StartRegistrar()
{
	fRegistrar = Start("registrar");
	fProcesses.erase(std::remove(fProcesses.begin(), fProcesses.end(), fRegistrar),
		fProcesses.end());
	if (fRegistrar < 0)
		return B_LAUNCH_FAILED;

	bool answers = wait_for([] {
		BMessage request(BPrivate::kGetAppList);
		BMessage reply;
		return BRoster::Private::Request(request, &reply) == B_OK;
	}, kWaitTimeout);
	return answers ? B_OK : B_TIMED_OUT;
}


void
TestRuntime::StopRegistrar()
{
	if (fRegistrar >= 0 && Stop(fRegistrar, SIGTERM, 2000000) < 0)
		Stop(fRegistrar, SIGKILL, 2000000);
	fRegistrar = -1;
	if (RegistrarProcess() > 0 && !SignalRegistrar(SIGTERM, 2000000))
		SignalRegistrar(SIGKILL, 2000000);
}


bool
TestRuntime::SignalRegistrar(int signal, bigtime_t timeout)
{
	pid_t process = RegistrarProcess();
	if (process <= 0)
		return false;
	if (process == fRegistrar) {
		fRegistrar = -1;
		return Stop(process, signal, timeout) >= 0;
	}
	kill(process, signal);
	return wait_for([&] { return HasEnded(process); }, timeout);
}


pid_t
TestRuntime::RegistrarProcess()
{
	std::string path;
	std::shared_ptr<BPrivate::LinkConnection> connection;
	if (BPrivate::registrar_socket_path(path) != B_OK
		|| BPrivate::LinkConnection::Connect(path, connection) != B_OK)
		return -1;
	return connection->PeerTeam();
}


bool
TestRuntime::HasEnded(pid_t process)
{
	if (kill(process, 0) != 0 && errno == ESRCH)
		return true;
	std::ifstream stat("/proc/" + std::to_string(process) + "/stat");
	std::string field;
	// pid, (comm), state; comm holds no blanks for the kit's programs.
	stat >> field >> field >> field;
	return !stat || field == "Z";
}


bool
TestRuntime::Suspend(pid_t process, bigtime_t timeout)
{
	if (kill(process, SIGSTOP) != 0)
		return false;
	std::string tasks = "/proc/" + std::to_string(process) + "/task";
	return wait_for([&] {
		DIR* directory = opendir(tasks.c_str());
		if (directory == NULL)
			return false;
		bool stopped = true;
		while (dirent* entry = readdir(directory)) {
			if (entry->d_name[0] == '.')
				continue;
			std::ifstream stat(tasks + "/" + entry->d_name + "/stat");
			std::string field;
			stat >> field >> field >> field;
			stopped &= stat && field == "T";
		}
		closedir(directory);
		return stopped;
	}, timeout);
}


pid_t
TestRuntime::Start(const std::string& name, const std::vector<std::string>& arguments,
	const std::string& outputFile)
{
	std::string path = BinaryPath(name);
	std::vector<char*> argv;
	argv.push_back(const_cast<char*>(path.c_str()));
	for (const std::string& argument : arguments)
		argv.push_back(const_cast<char*>(argument.c_str()));
	argv.push_back(NULL);

	pid_t process = fork();
	if (process == 0) {
		if (!outputFile.empty()) {
			int fd = open(outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
			if (fd >= 0)
				dup2(fd, STDOUT_FILENO);
		}
		execv(path.c_str(), argv.data());
		_exit(127);
	}
	if (process > 0)
		fProcesses.push_back(process);
	return process;
}


int
TestRuntime::Wait(pid_t process, bigtime_t timeout)
{
	int status = -1;
	pid_t result = 0;
	bool ended = wait_for([&] {
		result = waitpid(process, &status, WNOHANG);
		return result == process || (result < 0 && errno == ECHILD);
	}, timeout);
	if (!ended)
		return -1;
	fProcesses.erase(std::remove(fProcesses.begin(), fProcesses.end(), process),
		fProcesses.end());
	return result == process ? status : -1;
}


int
TestRuntime::Stop(pid_t process, int signal, bigtime_t timeout)
{
	// kill() reads 0 and -1 as whole groups of processes.
	if (process <= 0)
		return -1;
	kill(process, signal);
	return Wait(process, timeout);
}


int
TestRuntime::Run(const std::string& name, const std::vector<std::string>& arguments,
	std::string* output, bigtime_t timeout)
{
	std::string file = fDirectory / (name + ".out");
	int status = Wait(Start(name, arguments, file), timeout);
	std::ifstream stream(file);
	output->assign(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
	return status >= 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}


bool
TestRuntime::WaitForApp(const char* signature, bigtime_t timeout) const
{
	return wait_for([&] { return be_roster->IsRunning(signature); }, timeout);
}


bool
TestRuntime::WaitForAppGone(team_id team, bigtime_t timeout) const
{
	return wait_for([&] {
		app_info info;
		return be_roster->GetRunningAppInfo(team, &info) != B_OK;
	}, timeout);
}
