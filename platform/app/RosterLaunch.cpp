// BRoster::Launch: finding the executable for a type, a signature or a document, starting
// it as a process of its own, and handing it its messages.
#include <Roster.h>

#include <AppDefs.h>
#include <Entry.h>
#include <List.h>
#include <Message.h>
#include <Mime.h>
#include <Node.h>
#include <NodeInfo.h>
#include <Path.h>

#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "app/AppIdentity.h"
#include "app/AppFlags.h"
#include "app/RecentEntries.h"

namespace {

// How long Launch waits for a new process to register before its messages are given up.
const bigtime_t kLaunchRegisterTimeout = 5000000;
// How often it asks the roster meanwhile.
const bigtime_t kLaunchPollInterval = 10000;
// Where closing inherited descriptors one by one stops, without close_range.
const int kLaunchMaxFD = 4096;


// What to start, and what to give it.
struct LaunchPlan {
	std::string path;
	std::vector<std::string> arguments;
	std::vector<BMessage> messages;
};


bool
is_executable_file(const char* path)
{
	struct stat info;
	return stat(path, &info) == 0 && S_ISREG(info.st_mode) && access(path, X_OK) == 0;
}


// The executable of the running application of signature.
status_t
path_for_signature(const char* signature, std::string& path)
{
	entry_ref ref;
	status_t status = be_roster->FindApp(signature, &ref);
	if (status != B_OK)
		return status;
	BPath appPath(&ref);
	if (appPath.InitCheck() != B_OK)
		return B_LAUNCH_FAILED_APP_NOT_FOUND;
	path = appPath.Path();
	return B_OK;
}


// The executable for mimeType: the application of that signature, else the type's
// preferred application (and its supertype's).
status_t
path_for_type(const char* mimeType, std::string& path)
{
	BMimeType type(mimeType);
	if (type.InitCheck() != B_OK)
		return B_BAD_VALUE;
	if (path_for_signature(mimeType, path) == B_OK)
		return B_OK;
	char preferred[B_MIME_TYPE_LENGTH];
	if (type.GetPreferredApp(preferred) != B_OK) {
		BMimeType supertype;
		if (type.GetSupertype(&supertype) != B_OK
			|| supertype.GetPreferredApp(preferred) != B_OK)
			return strncasecmp(mimeType, "application/", 12) == 0
				? B_LAUNCH_FAILED_APP_NOT_FOUND : B_LAUNCH_FAILED_NO_PREFERRED_APP;
	}
	return path_for_signature(preferred, path) == B_OK ? B_OK
		: B_LAUNCH_FAILED_APP_NOT_FOUND;
}


// Fills plan.path for ref: the executable itself, or the preferred application of the
// document, which then gets B_REFS_RECEIVED for it.
status_t
plan_for_ref(const entry_ref* ref, LaunchPlan& plan)
{
	if (ref == NULL)
		return B_BAD_VALUE;
	BEntry entry(ref, true);
	if (entry.InitCheck() != B_OK)
		return entry.InitCheck();
	if (!entry.Exists())
		return B_ENTRY_NOT_FOUND;
	BPath path;
	status_t status = entry.GetPath(&path);
	if (status != B_OK)
		return status;
	if (is_executable_file(path.Path())) {
		plan.path = path.Path();
		return B_OK;
	}

	BNode node(path.Path());
	BNodeInfo info(&node);
	char signature[B_MIME_TYPE_LENGTH];
	char type[B_MIME_TYPE_LENGTH];
	if (info.GetPreferredApp(signature) == B_OK)
		status = path_for_signature(signature, plan.path);
	else if (info.GetType(type) == B_OK)
		status = path_for_type(type, plan.path);
	else
		status = B_LAUNCH_FAILED_NO_PREFERRED_APP;
	if (status != B_OK)
		return status;
	entry_ref document;
	entry.GetRef(&document);
	BMessage refs(B_REFS_RECEIVED);
	refs.AddRef("refs", &document);
	plan.messages.push_back(refs);
	return B_OK;
}


void
add_arguments(LaunchPlan& plan, int argc, const char* const* args)
{
	for (int i = 0; args != NULL && i < argc; i++) {
		if (args[i] != NULL)
			plan.arguments.push_back(args[i]);
	}
}


void
add_messages(LaunchPlan& plan, const BList* messageList)
{
	for (int32 i = 0; messageList != NULL && i < messageList->CountItems(); i++) {
		if (const BMessage* message = (const BMessage*)messageList->ItemAt(i))
			plan.messages.push_back(*message);
	}
}


// The argument list as B_ARGV_RECEIVED carries it to a running instance.
BMessage
argv_message(const LaunchPlan& plan)
{
	BMessage message(B_ARGV_RECEIVED);
	message.AddInt32("argc", (int32)plan.arguments.size() + 1);
	message.AddString("argv", plan.path.c_str());
	for (const std::string& argument : plan.arguments)
		message.AddString("argv", argument.c_str());
	char directory[PATH_MAX];
	if (getcwd(directory, sizeof(directory)) != NULL)
		message.AddString("cwd", directory);
	return message;
}


// Starts plan.path with its arguments: twice forked, so that the new process is nobody's
// child to reap, with nothing of ours open but the standard descriptors. Its team on
// success; B_LAUNCH_FAILED_EXECUTABLE when it could not be executed.
status_t
start_process(const LaunchPlan& plan, team_id* team)
{
	std::vector<char*> argv;
	argv.push_back(const_cast<char*>(plan.path.c_str()));
	for (const std::string& argument : plan.arguments)
		argv.push_back(const_cast<char*>(argument.c_str()));
	argv.push_back(NULL);

	// The middle process writes the new one's id into teamPipe; the new one writes its
	// exec errno into execPipe, which closes by itself when exec succeeds.
	int teamPipe[2];
	int execPipe[2];
	if (pipe2(teamPipe, O_CLOEXEC) != 0)
		return B_NO_MORE_FDS;
	if (pipe2(execPipe, O_CLOEXEC) != 0) {
		close(teamPipe[0]);
		close(teamPipe[1]);
		return B_NO_MORE_FDS;
	}

	pid_t child = fork();
	if (child == 0) {
		setsid();
		pid_t grandchild = fork();
		if (grandchild == 0) {
			for (int fd = STDERR_FILENO + 1; fd < kLaunchMaxFD; fd++) {
				if (fd != execPipe[1])
					close(fd);
			}
			sigset_t none;
			sigemptyset(&none);
			sigprocmask(SIG_SETMASK, &none, NULL);
			execv(argv[0], argv.data());
			int error = errno;
			(void)!write(execPipe[1], &error, sizeof(error));
			_exit(127);
		}
		(void)!write(teamPipe[1], &grandchild, sizeof(grandchild));
		_exit(0);
	}
	close(teamPipe[1]);
	close(execPipe[1]);
	status_t status = B_OK;
	pid_t started = -1;
	if (child < 0)
		status = B_LAUNCH_FAILED;
	else {
		waitpid(child, NULL, 0);
		if (read(teamPipe[0], &started, sizeof(started)) != sizeof(started) || started < 0)
			status = B_LAUNCH_FAILED;
		int error = 0;
		ssize_t got;
		while ((got = read(execPipe[0], &error, sizeof(error))) < 0 && errno == EINTR)
			;
		if (status == B_OK && got == sizeof(error))
			status = B_LAUNCH_FAILED_EXECUTABLE;
	}
	close(teamPipe[0]);
	close(execPipe[0]);
	if (status == B_OK && team != NULL)
		*team = started;
	return status;
}


// Waits until team has registered, and sends it the messages.
status_t
deliver_messages(team_id team, const std::vector<BMessage>& messages)
{
	if (messages.empty())
		return B_OK;
	app_info info;
	bigtime_t deadline = system_time() + kLaunchRegisterTimeout;
	while (be_roster->GetRunningAppInfo(team, &info) != B_OK) {
		if (system_time() >= deadline || kill(team, 0) != 0)
			return B_TIMED_OUT;
		snooze(kLaunchPollInterval);
	}
	BMessenger target(info.signature, team);
	for (const BMessage& message : messages) {
		BMessage copy(message);
		status_t status = target.SendMessage(&copy, (BHandler*)NULL,
			kLaunchRegisterTimeout);
		if (status != B_OK)
			return status;
	}
	return B_OK;
}


// A single or exclusive launch application that runs already takes the launch's
// messages (or its arguments): true with *team set when plan went to one.
bool
hand_to_running_instance(const LaunchPlan& plan, team_id* team, status_t* status)
{
	uint32 flags = BPrivate::app_flags_for(plan.path.c_str());
	if ((flags & B_LAUNCH_MASK) == B_MULTIPLE_LAUNCH)
		return false;
	BPrivate::app_identity identity;
	if (BPrivate::read_app_identity(plan.path.c_str(), &identity) != B_OK
		|| identity.signature[0] == '\0')
		return false;
	app_info info;
	if (be_roster->GetAppInfo(identity.signature, &info) != B_OK)
		return false;
	BMessenger target(identity.signature, info.team);
	std::vector<BMessage> messages = plan.messages;
	if (!plan.arguments.empty())
		messages.insert(messages.begin(), argv_message(plan));
	*status = B_ALREADY_RUNNING;
	for (BMessage& message : messages) {
		if (target.SendMessage(&message, (BHandler*)NULL, kLaunchRegisterTimeout) != B_OK)
			*status = B_LAUNCH_FAILED;
	}
	if (team != NULL)
		*team = info.team;
	return true;
}


status_t
launch(const LaunchPlan& plan, team_id* appTeam)
{
	BPrivate::add_recent_entry(BPrivate::kRecentApp, plan.path.c_str(), NULL);
	status_t status;
	if (hand_to_running_instance(plan, appTeam, &status))
		return status;
	team_id team;
	status = start_process(plan, &team);
	if (status != B_OK)
		return status;
	if (appTeam != NULL)
		*appTeam = team;
	return deliver_messages(team, plan.messages);
}

} // namespace


status_t
BRoster::Launch(const char* mimeType, BMessage* initialMessage, team_id* appTeam) const
{
	if (mimeType == NULL)
		return B_BAD_VALUE;
	LaunchPlan plan;
	status_t status = path_for_type(mimeType, plan.path);
	if (status != B_OK)
		return status;
	if (initialMessage != NULL)
		plan.messages.push_back(*initialMessage);
	return launch(plan, appTeam);
}


status_t
BRoster::Launch(const char* mimeType, BList* messageList, team_id* appTeam) const
{
	if (mimeType == NULL)
		return B_BAD_VALUE;
	LaunchPlan plan;
	status_t status = path_for_type(mimeType, plan.path);
	if (status != B_OK)
		return status;
	add_messages(plan, messageList);
	return launch(plan, appTeam);
}


status_t
BRoster::Launch(const char* mimeType, int argc, const char* const* args,
	team_id* appTeam) const
{
	if (mimeType == NULL || argc < 0)
		return B_BAD_VALUE;
	LaunchPlan plan;
	status_t status = path_for_type(mimeType, plan.path);
	if (status != B_OK)
		return status;
	add_arguments(plan, argc, args);
	return launch(plan, appTeam);
}


status_t
BRoster::Launch(const entry_ref* ref, const BMessage* initialMessage, team_id* appTeam) const
{
	LaunchPlan plan;
	status_t status = plan_for_ref(ref, plan);
	if (status != B_OK)
		return status;
	if (initialMessage != NULL)
		plan.messages.push_back(*initialMessage);
	return launch(plan, appTeam);
}


status_t
BRoster::Launch(const entry_ref* ref, const BList* messageList, team_id* appTeam) const
{
	LaunchPlan plan;
	status_t status = plan_for_ref(ref, plan);
	if (status != B_OK)
		return status;
	add_messages(plan, messageList);
	return launch(plan, appTeam);
}


status_t
BRoster::Launch(const entry_ref* ref, int argc, const char* const* args,
	team_id* appTeam) const
{
	if (argc < 0)
		return B_BAD_VALUE;
	LaunchPlan plan;
	status_t status = plan_for_ref(ref, plan);
	if (status != B_OK)
		return status;
	add_arguments(plan, argc, args);
	return launch(plan, appTeam);
}
