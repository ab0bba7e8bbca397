// A headless application for the kit's integration tests:
//
//	KitTestApp [<signature> [--single] [--watch] [--quit] [--never-run] [arguments...]]
//
// Without arguments (as BRoster::Launch starts it with messages) its signature is
// application/x-vnd.test-kit.
//
// --single registers it single-launch; --watch makes it watch launches and quits from
// ReadyToRun on; --quit prints "ready" and quits from ReadyToRun; --never-run registers
// and then waits forever without running its message loop. It answers these
// messages:
//	'ping'	a 'pong' reply holding the request's fields
//	'nrep'	nothing: the request dies unanswered
//	'hang'	nothing, and the request is kept, so it is never answered
//	'exit'	the process ends at once, without answering
//	'ntcs'	the notices heard so far: "what", "signature", "team", "thread" and
//			"file" (the name of "be:ref") for each
//	'unwt'	stops watching; the reply's "error" says how that went
//	'args'	every argument list received: "argc" per list, "argv" all in order
//	'info'	asks the roster for its own record; the reply's "error" says how that went
//	'busy'	keeps the main looper busy for "microseconds", then replies
//	'note'	keeps its "note" string; B_REFS_RECEIVED keeps "ref:" and each ref's name
//	'nots'	the notes kept so far, as "note" strings in order
//	'fork'	forks a child that holds every descriptor of the process (its registrar
//			connection among them) for 30 s, then ends; the reply's "child" is its id
// and owns a second looper named "Worker", for scripting that crosses loopers.
#include <Application.h>
#include <Entry.h>
#include <Message.h>
#include <Roster.h>

#include <stdio.h>
#include <string.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "app/AppFlags.h"

namespace {

class KitTestApp : public BApplication {
public:
	KitTestApp(const char* signature, bool watch, bool quit)
		:
		BApplication(signature),
		fWatch(watch),
		fQuit(quit),
		fNotices(0)
	{
		BLooper* worker = new BLooper("Worker");
		worker->Run();
	}

	virtual void ReadyToRun()
	{
		if (fWatch)
			be_roster->StartWatching(be_app_messenger);
		if (fQuit) {
			printf("ready\n");
			fflush(stdout);
			PostMessage(B_QUIT_REQUESTED);
		}
	}

	virtual void ArgvReceived(int32 argc, char** argv)
	{
		fArguments.AddInt32("argc", argc);
		for (int32 i = 0; i < argc; i++)
			fArguments.AddString("argv", argv[i]);
	}

	virtual void RefsReceived(BMessage* message)
	{
		entry_ref ref;
		for (int32 i = 0; message->FindRef("refs", i, &ref) == B_OK; i++)
			fNotes.AddString("note", (std::string("ref:") + ref.name).c_str());
	}

	virtual void MessageReceived(BMessage* message)
	{
		switch (message->what) {
			case 'note':
				fNotes.AddString("note", message->FindString("note"));
				break;
			case 'nots':
			{
				BMessage reply(fNotes);
				message->SendReply(&reply);
				break;
			}
			case 'ping':
			{
				BMessage reply(*message);
				reply.what = 'pong';
				message->SendReply(&reply);
				break;
			}
			case 'nrep':
				break;
			case 'busy':
			{
				int64 microseconds = 0;
				message->FindInt64("microseconds", &microseconds);
				usleep(microseconds);
				BMessage reply(B_REPLY);
				message->SendReply(&reply);
				break;
			}
			case 'hang':
				fKept.push_back(DetachCurrentMessage());
				break;
			case 'exit':
				_exit(3);
			case 'fork':
			{
				pid_t child = fork();
				if (child == 0) {
					// Only async-signal-safe calls in the child of a threaded process.
					sleep(30);
					_exit(0);
				}
				BMessage reply(B_REPLY);
				reply.AddInt32("child", child);
				message->SendReply(&reply);
				break;
			}
			case 'ntcs':
			{
				BMessage reply(fNotices);
				message->SendReply(&reply);
				break;
			}
			case 'info':
			{
				app_info info;
				BMessage reply(B_REPLY);
				reply.AddInt32("error", GetAppInfo(&info));
				message->SendReply(&reply);
				break;
			}
			case 'args':
			{
				BMessage reply(fArguments);
				message->SendReply(&reply);
				break;
			}
			case B_SOME_APP_LAUNCHED:
			case B_SOME_APP_QUIT:
			{
				const char* signature = "";
				int32 team = -1;
				int32 thread = -1;
				entry_ref ref;
				message->FindString("be:signature", &signature);
				message->FindInt32("be:team", &team);
				message->FindInt32("be:thread", &thread);
				message->FindRef("be:ref", &ref);
				fNotices.AddInt32("what", (int32)message->what);
				fNotices.AddString("signature", signature);
				fNotices.AddInt32("team", team);
				fNotices.AddInt32("thread", thread);
				fNotices.AddString("file", ref.name != NULL ? ref.name : "");
				break;
			}
			case 'unwt':
			{
				BMessage reply(B_REPLY);
				reply.AddInt32("error", be_roster->StopWatching(be_app_messenger));
				message->SendReply(&reply);
				break;
			}
			default:
				BApplication::MessageReceived(message);
				break;
		}
	}

private:
	BMessage fNotes;
	bool fWatch;
	bool fQuit;
	BMessage fNotices;
	BMessage fArguments;
	std::vector<BMessage*> fKept;
};

} // namespace


int
main(int argc, char** argv)
{
	const char* signature = argc < 2 ? "application/x-vnd.test-kit" : argv[1];
	bool watch = false;
	bool quit = false;
	bool neverRun = false;
	for (int i = 2; i < argc; i++) {
		if (strcmp(argv[i], "--single") == 0)
			BPrivate::set_default_app_flags(B_SINGLE_LAUNCH);
		else if (strcmp(argv[i], "--watch") == 0)
			watch = true;
		else if (strcmp(argv[i], "--quit") == 0)
			quit = true;
		else if (strcmp(argv[i], "--never-run") == 0)
			neverRun = true;
	}

	KitTestApp* app = new KitTestApp(signature, watch, quit);
	if (app->InitCheck() != B_OK)
		return 1;
	while (neverRun)
		pause();
	app->Run();
	delete app;
	return 0;
}
