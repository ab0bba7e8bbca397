#include <Application.h>

#include <AppDefs.h>
#include <Clipboard.h>
#include <Entry.h>
#include <File.h>
#include <Message.h>
#include <MessageRunner.h>
#include <PropertyInfo.h>
#include <Resources.h>
#include <Roster.h>

#include <fcntl.h>
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <mutex>
#include <string>
#include <vector>

#include "app/AppFlags.h"
#include "app/HandlerPrivate.h"
#include "app/LinkHub.h"
#include "app/LooperList.h"
#include "app/MessengerPrivate.h"
#include "app/RosterPrivate.h"
#include "app/ScriptingReplies.h"
#include "app/RuntimeDirectory.h"
#include "app/TokenSpace.h"

BApplication* be_app = NULL;
BMessenger be_app_messenger;

namespace {

// The pulse rate an application starts with, as on the platform.
const bigtime_t kPulseRate = 500000;

// be_app and be_app_messenger are plain globals that the main thread changes; other
// threads learn the application's address from this guarded copy.
std::mutex stAppMessengerLock;
BMessenger stAppMessenger;

} // namespace


BMessenger
BPrivate::app_messenger()
{
	std::lock_guard<std::mutex> lock(stAppMessengerLock);
	return stAppMessenger;
}


namespace {

// The tags of the rows below (their extra_data).
enum {
	kWindowProperty = 1,
	kWindowCountProperty,
	kLooperProperty,
	kLooperCountProperty,
	kNameProperty
};

property_info stApplicationProperties[] = {
	{ "Window", {}, { B_INDEX_SPECIFIER, B_REVERSE_INDEX_SPECIFIER, B_NAME_SPECIFIER },
		"Resolves to the window with the given index or name.", kWindowProperty, {}, {},
		{} },
	{ "Window", { B_COUNT_PROPERTIES }, { B_DIRECT_SPECIFIER },
		"Returns the number of windows.", kWindowCountProperty, { B_INT32_TYPE }, {}, {} },
	{ "Looper", {}, { B_INDEX_SPECIFIER, B_REVERSE_INDEX_SPECIFIER, B_NAME_SPECIFIER },
		"Resolves to the looper with the given index or name.", kLooperProperty, {}, {},
		{} },
	{ "Looper", { B_COUNT_PROPERTIES }, { B_DIRECT_SPECIFIER },
		"Returns the number of loopers.", kLooperCountProperty, { B_INT32_TYPE }, {}, {} },
	{ "Name", { B_GET_PROPERTY }, { B_DIRECT_SPECIFIER },
		"Returns the name of the application.", kNameProperty, { B_STRING_TYPE }, {}, {} },
	{}
};


// The process's arguments, as the kernel recorded them.
std::vector<std::string>
read_arguments()
{
	std::vector<std::string> arguments;
	int fd = open("/proc/self/cmdline", O_RDONLY | O_CLOEXEC);
	if (fd < 0)
		return arguments;
	std::string data;
	char buffer[4096];
	ssize_t bytes;
	while ((bytes = read(fd, buffer, sizeof(buffer))) > 0)
		data.append(buffer, bytes);
	close(fd);
	size_t start = 0;
	while (start < data.size()) {
		size_t end = data.find('\0', start);
		if (end == std::string::npos)
			end = data.size();
		arguments.push_back(data.substr(start, end - start));
		start = end + 1;
	}
	return arguments;
}


std::string
executable_path()
{
	char path[PATH_MAX];
	ssize_t length = readlink("/proc/self/exe", path, sizeof(path) - 1);
	return length > 0 ? std::string(path, length) : std::string();
}


BMessage
argv_message(const std::vector<std::string>& arguments)
{
	BMessage message(B_ARGV_RECEIVED);
	message.AddInt32("argc", (int32)arguments.size());
	for (const std::string& argument : arguments)
		message.AddString("argv", argument.c_str());
	char directory[PATH_MAX];
	if (getcwd(directory, sizeof(directory)) != NULL)
		message.AddString("cwd", directory);
	return message;
}


void
post_quit_request()
{
	// Called on the I/O thread for SIGTERM and SIGINT.
	if (std::shared_ptr<BPrivate::Port> port = BPrivate::Port::Find(BPrivate::kMainPort))
		port->WriteForced(new BMessage(B_QUIT_REQUESTED));
}


// The looper a "Window" or "Looper" specifier names, or NULL.
BLooper*
looper_for(BMessage* specifier, int32 form, bool windows)
{
	int32 count = windows ? BPrivate::LooperList::CountWindows()
		: BPrivate::LooperList::CountLoopers();
	auto looperAt = [windows](int32 index) {
		BLooper* looper = NULL;
		if (windows)
			BPrivate::LooperList::WindowAt(index, &looper);
		else
			looper = BPrivate::LooperList::LooperAt(index);
		return looper;
	};

	if (form == B_NAME_SPECIFIER) {
		const char* name = NULL;
		if (specifier->FindString("name", &name) != B_OK)
			return NULL;
		for (int32 i = 0; i < count; i++) {
			BLooper* looper = looperAt(i);
			if (looper != NULL && looper->Name() != NULL && strcmp(looper->Name(), name) == 0)
				return looper;
		}
		return NULL;
	}

	int32 index = -1;
	if (specifier->FindInt32("index", &index) != B_OK)
		return NULL;
	if (form == B_REVERSE_INDEX_SPECIFIER)
		index = count - index;
	return index >= 0 && index < count ? looperAt(index) : NULL;
}

} // namespace


BApplication::BApplication(const char* signature)
	:
	BLooper(signature)
{
	_Init(signature);
}


BApplication::BApplication(const char* signature, status_t* error)
	:
	BLooper(signature)
{
	_Init(signature);
	if (error != NULL)
		*error = fInitError;
}


void
BApplication::_Init(const char* signature)
{
	fReadyToRunCalled = false;
	fInitError = B_OK;
	fPulseRate = kPulseRate;
	fPulseRunner = NULL;
	if (be_app != NULL) {
		fInitError = B_ALREADY_RUNNING;
		return;
	}
	if (signature == NULL || strncasecmp(signature, "application/", 12) != 0) {
		fInitError = B_BAD_VALUE;
		return;
	}

	be_app = this;
	fThread = find_thread(NULL);
	BPrivate::LooperList::SetThread(this, fThread);
	BPrivate::Port::SetMain(BLooper::Private(this).PortID());
	be_app_messenger = BMessenger(NULL, this);
	be_clipboard = new BClipboard("system");
	{
		std::lock_guard<std::mutex> lock(stAppMessengerLock);
		stAppMessenger = be_app_messenger;
	}

	BPrivate::LinkHub::SetQuitSignalHook(post_quit_request);
	std::string socketPath;
	fInitError = BPrivate::app_socket_path(getpid(), socketPath);
	if (fInitError == B_OK)
		fInitError = BPrivate::LinkHub::Listen(socketPath);
	if (fInitError != B_OK)
		return;
	fInitError = _Register();
}


status_t
BApplication::_Register()
{
	std::string path = executable_path();
	app_info info;
	info.thread = fThread;
	info.team = getpid();
	info.port = BLooper::Private(this).PortID();
	info.flags = BPrivate::app_flags_for(path.c_str());
	snprintf(info.signature, sizeof(info.signature), "%s", Name());
	get_ref_for_path(path.c_str(), &info.ref);

	app_info running;
	status_t status = BRoster::Private::AddApplication(info, &running);
	if (status == B_ALREADY_RUNNING) {
		// Single launch: the running instance gets our arguments, and we leave.
		std::vector<std::string> arguments = read_arguments();
		BMessage message = arguments.size() > 1 ? argv_message(arguments)
			: BMessage(B_SILENT_RELAUNCH);
		BMessenger(info.signature, running.team).SendMessage(&message);
		BPrivate::LinkHub::StopListening();
		exit(0);
	}
	if (status != B_OK) {
		// Without a registrar the application still runs; it is just not listed.
		fprintf(stderr, "%s: cannot register with the registrar: %s\n", info.signature,
			strerror(status));
	}
	return B_OK;
}


BApplication::~BApplication()
{
	delete fPulseRunner;
	fPulseRunner = NULL;
	if (be_app == this) {
		BRoster::Private::RemoveApplication(getpid());
		BPrivate::LinkHub::StopListening();
		{
			std::lock_guard<std::mutex> lock(stAppMessengerLock);
			stAppMessenger = BMessenger();
		}
		be_app_messenger = BMessenger();
		delete be_clipboard;
		be_clipboard = NULL;
		be_app = NULL;
	}
}


status_t
BApplication::InitCheck() const
{
	return fInitError;
}


thread_id
BApplication::Run()
{
	if (fInitError != B_OK)
		return fInitError;
	if (fRunCalled)
		return B_BAD_THREAD_STATE;
	fRunCalled = true;
	fThread = find_thread(NULL);
	BPrivate::LooperList::SetThread(this, fThread);

	// The application was locked for its constructing thread; others may lock it now.
	if (std::shared_ptr<BPrivate::LooperLock> lock = BPrivate::LooperList::LockFor(this))
		lock->UnlockFully();

	std::shared_ptr<BPrivate::Port> port = BLooper::Private(this).Port();
	port->WriteFront(new BMessage(B_READY_TO_RUN));
	std::vector<std::string> arguments = read_arguments();
	if (arguments.size() > 1)
		port->WriteFront(new BMessage(argv_message(arguments)));

	if (fPulseRate > 0)
		SetPulseRate(fPulseRate);
	_RunLoop();
	return fThread;
}


void
BApplication::Quit()
{
	if (!fRunCalled || find_thread(NULL) == fThread) {
		fTerminating = true;
		return;
	}
	BLooper::Private(this).Port()->WriteForced(new BMessage(_QUIT_));
}


bool
BApplication::QuitRequested()
{
	// Windows first, each asked with its lock held, the way a user's close would be.
	for (;;) {
		BLooper* looper = NULL;
		BPrivate::LooperList::WindowAt(0, &looper);
		if (looper == NULL)
			return true;
		if (!looper->Lock())
			continue;
		if (!looper->QuitRequested()) {
			looper->Unlock();
			return false;
		}
		looper->Quit();
	}
}


void
BApplication::ReadyToRun()
{
}


void
BApplication::ArgvReceived(int32 argc, char** argv)
{
}


void
BApplication::RefsReceived(BMessage* message)
{
}


void
BApplication::AboutRequested()
{
}


void
BApplication::Pulse()
{
}


void
BApplication::SetPulseRate(bigtime_t rate)
{
	if (rate < 0)
		return;
	fPulseRate = rate;
	delete fPulseRunner;
	fPulseRunner = NULL;
	if (rate > 0) {
		BMessage pulse(B_PULSE);
		fPulseRunner = new BMessageRunner(BMessenger(this), &pulse, rate);
	}
}


void
BApplication::AppActivated(bool active)
{
}


BResources*
BApplication::AppResources()
{
	// Opened once for the process and kept to its end, as applications expect to use it
	// at any time without deleting it.
	static BResources* stResources = [] {
		BFile file(executable_path().c_str(), B_READ_ONLY);
		BResources* resources = new BResources(&file);
		if (resources->InitCheck() != B_OK) {
			delete resources;
			return (BResources*)NULL;
		}
		return resources;
	}();
	return stResources;
}


void
BApplication::DispatchMessage(BMessage* message, BHandler* handler)
{
	if (handler != this) {
		BLooper::DispatchMessage(message, handler);
		return;
	}

	switch (message->what) {
		case B_ARGV_RECEIVED:
		{
			std::vector<char*> argv;
			const char* argument;
			for (int32 i = 0; message->FindString("argv", i, &argument) == B_OK; i++)
				argv.push_back(const_cast<char*>(argument));
			if (!argv.empty()) {
				argv.push_back(NULL);
				ArgvReceived((int32)argv.size() - 1, argv.data());
			}
			break;
		}

		case B_READY_TO_RUN:
			if (!fReadyToRunCalled) {
				fReadyToRunCalled = true;
				ReadyToRun();
			}
			break;

		case B_ABOUT_REQUESTED:
			AboutRequested();
			break;

		case B_REFS_RECEIVED:
			RefsReceived(message);
			break;

		case B_PULSE:
			Pulse();
			break;

		// Draggers were shown or hidden: every window redraws its own.
		case _SHOW_DRAG_HANDLES_:
			for (int32 i = 0; i < BPrivate::LooperList::CountWindows(); i++) {
				BLooper* looper = NULL;
				BPrivate::LooperList::WindowAt(i, &looper);
				if (looper != NULL)
					looper->PostMessage(message);
			}
			break;

		case B_APP_ACTIVATED:
		{
			bool active = true;
			message->FindBool("active", &active);
			AppActivated(active);
			break;
		}

		case BPrivate::kActivateApp:
		{
			// The front window gives itself the focus on its own thread.
			port_id window = BPrivate::LooperList::WindowPort(
				BRoster::Private::FrontWindowPort());
			if (window >= 0) {
				BMessenger target;
				BMessenger::Private(target).SetTo(getpid(), window,
					BPrivate::B_PREFERRED_TOKEN);
				BMessage request(BPrivate::kActivateApp);
				target.SendMessage(&request, (BHandler*)NULL, 0);
			}
			break;
		}

		default:
			BLooper::DispatchMessage(message, handler);
			break;
	}
}


void
BApplication::MessageReceived(BMessage* message)
{
	BMessage reply(B_REPLY);
	switch (BPrivate::match_property(message, stApplicationProperties)) {
		case kNameProperty:
			reply.AddString("result", Name() != NULL ? Name() : "");
			BPrivate::reply_result(message, &reply, B_OK);
			return;
		case kWindowCountProperty:
			reply.AddInt32("result", CountWindows());
			BPrivate::reply_result(message, &reply, B_OK);
			return;
		case kLooperCountProperty:
			reply.AddInt32("result", CountLoopers());
			BPrivate::reply_result(message, &reply, B_OK);
			return;
	}
	BLooper::MessageReceived(message);
}


bool
BApplication::IsLaunching() const
{
	return !fReadyToRunCalled;
}


status_t
BApplication::GetAppInfo(app_info* info) const
{
	if (info == NULL)
		return B_BAD_VALUE;
	return be_roster->GetRunningAppInfo(getpid(), info);
}


int32
BApplication::CountWindows() const
{
	return BPrivate::LooperList::CountWindows();
}


BWindow*
BApplication::WindowAt(int32 index) const
{
	return BPrivate::LooperList::WindowAt(index);
}


int32
BApplication::CountLoopers() const
{
	return BPrivate::LooperList::CountLoopers();
}


BLooper*
BApplication::LooperAt(int32 index) const
{
	return BPrivate::LooperList::LooperAt(index);
}


BHandler*
BApplication::ResolveSpecifier(BMessage* message, int32 index, BMessage* specifier,
	int32 form, const char* property)
{
	uint32 tag = BPrivate::match_property(message, index, specifier, form, property,
		stApplicationProperties);
	if (tag == BPrivate::kNoProperty)
		return BLooper::ResolveSpecifier(message, index, specifier, form, property);
	if (tag != kWindowProperty && tag != kLooperProperty)
		return this;

	bool windows = tag == kWindowProperty;
	BLooper* looper = looper_for(specifier, form, windows);
	if (looper == NULL) {
		if (form == B_NAME_SPECIFIER) {
			BPrivate::reply_error(message, B_NAME_NOT_FOUND,
				windows ? "No window of that name" : "No looper of that name");
		} else {
			BPrivate::reply_error(message, B_BAD_INDEX,
				windows ? "Window index out of range" : "Looper index out of range");
		}
		return NULL;
	}
	message->PopSpecifier();
	return looper;
}


status_t
BApplication::GetSupportedSuites(BMessage* data)
{
	status_t status = BPrivate::add_suite(data, "suite/vnd.Be-application",
		stApplicationProperties);
	if (status != B_OK)
		return status;
	return BLooper::GetSupportedSuites(data);
}
