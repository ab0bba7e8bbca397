// A scriptable application whose whole tree is answered by the application object itself,
// from the specifiers of each request, so that its size is set on the command line:
//
//	FaultTargetApp <signature> nested <windows> <depth>
//		<windows> windows, each holding one chain of <depth> nested views
//	FaultTargetApp <signature> hangafter
//		answers the suites of the application, then keeps every other request unanswered
//	FaultTargetApp <signature> silent
//		keeps every request unanswered, as an application stopped in a debugger would
//	FaultTargetApp <signature> garbage
//		a scriptable application whose every other answer has wrong types: counts as
//		strings or negative, names and labels as numbers, property tables as noise
//	FaultTargetApp <signature> wrongsuites
//		answers its suites as numbers
// In every mode, 'rqct' is answered with "count": the scripting requests answered so far,
// with "held": those kept unanswered, and with "requestBytes" and "replyBytes": the
// flattened sizes of the requests answered and of their replies, summed.
#include <Application.h>
#include <Message.h>
#include <PropertyInfo.h>

#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

namespace {

enum Mode { kNested, kHangAfter, kSilent, kGarbage, kWrongSuites };

const property_info kProperties[] = {
	{ "View", { B_COUNT_PROPERTIES }, { B_DIRECT_SPECIFIER }, "Returns the number of views." },
	{ "Label", { B_GET_PROPERTY }, { B_DIRECT_SPECIFIER }, "Returns the label." },
	{}
};


// Where a request points: the window (or -1 for the application), how many views deep,
// and the property asked for (empty for the suites).
struct Path {
	int32		window = -1;
	int32		depth = 0;
	std::string	property;
};


Path
path_of(const BMessage* message)
{
	Path path;
	BMessage specifier;
	for (int32 i = 0; message->FindMessage("specifiers", i, &specifier) == B_OK; i++) {
		const char* property;
		if (specifier.FindString("property", &property) != B_OK)
			continue;
		int32 index;
		bool indexed = specifier.what == B_INDEX_SPECIFIER
			&& specifier.FindInt32("index", &index) == B_OK;
		if (indexed && strcmp(property, "Window") == 0)
			path.window = index;
		else if (indexed && strcmp(property, "View") == 0)
			path.depth++;
		else if (i == 0)
			path.property = property;
	}
	return path;
}


class FaultTargetApp : public BApplication {
public:
	FaultTargetApp(const char* signature, Mode mode, int32 windows, int32 depth)
		:
		BApplication(signature),
		fMode(mode),
		fWindows(windows),
		fDepth(depth)
	{
	}

	virtual BHandler* ResolveSpecifier(BMessage*, int32, BMessage*, int32, const char*)
	{
		return this;
	}

	virtual void MessageReceived(BMessage* message)
	{
		switch (message->what) {
			case 'rqct':
			{
				BMessage reply(B_REPLY);
				reply.AddInt64("count", fAnswered);
				reply.AddInt64("held", (int64)fUnanswered.size());
				reply.AddInt64("requestBytes", fRequestBytes);
				reply.AddInt64("replyBytes", fReplyBytes);
				message->SendReply(&reply);
				return;
			}
			case B_GET_SUPPORTED_SUITES:
			case B_COUNT_PROPERTIES:
			case B_GET_PROPERTY:
				break;
			default:
				BApplication::MessageReceived(message);
				return;
		}

		Path path = path_of(message);
		bool hang = fMode == kSilent || (fMode == kHangAfter
			&& (message->what != B_GET_SUPPORTED_SUITES || path.window >= 0));
		if (hang) {
			fUnanswered.push_back(DetachCurrentMessage());
			return;
		}

		BMessage reply(B_REPLY);
		if (fMode == kGarbage)
			_GarbageReply(message->what, path, &reply);
		else if (fMode == kWrongSuites) {
			reply.AddInt32("suites", 7);
			reply.AddInt32("error", B_OK);
		} else
			_Reply(message->what, path, &reply);
		message->SendReply(&reply);
		fAnswered++;
		fRequestBytes += message->FlattenedSize();
		fReplyBytes += reply.FlattenedSize();
	}

	virtual bool QuitRequested()
	{
		for (BMessage* message : fUnanswered)
			delete message;
		fUnanswered.clear();
		return true;
	}

private:
	void _Reply(uint32 what, const Path& path, BMessage* reply)
	{
		if (what == B_GET_SUPPORTED_SUITES) {
			const char* suite = path.window < 0 ? "suite/vnd.Be-application"
				: path.depth == 0 ? "suite/vnd.Be-window" : "suite/vnd.Be-view";
			reply->AddString("suites", suite);
			BPropertyInfo info(const_cast<property_info*>(kProperties));
			reply->AddFlat("messages", &info);
		} else if (what == B_COUNT_PROPERTIES) {
			int32 count = path.window < 0 ? fWindows : path.depth < fDepth ? 1 : 0;
			reply->AddInt32("result", count);
		} else {
			std::string text = path.property + " " + std::to_string(path.window) + "/"
				+ std::to_string(path.depth);
			reply->AddString("result", text.c_str());
		}
		reply->AddInt32("error", B_OK);
	}

	// Right enough for the analysis to go on, wrong in every field it reads.
	void _GarbageReply(uint32 what, const Path& path, BMessage* reply)
	{
		if (what == B_GET_SUPPORTED_SUITES) {
			reply->AddString("suites", "suite/vnd.Be-garbage");
			reply->AddInt32("suites", 3);
			char noise[61];
			for (size_t i = 0; i < sizeof(noise); i++)
				noise[i] = (char)(i * 37 + path.depth * 11 + 5);
			reply->AddData("messages", B_PROPERTY_INFO_TYPE, noise, sizeof(noise));
			reply->AddString("messages", "not a table");
		} else if (what == B_COUNT_PROPERTIES) {
			if (path.window < 0)
				reply->AddInt32("result", 3);
			else if (path.window == 0 && path.depth == 0)
				reply->AddInt32("result", -4);
			else if (path.window == 1 && path.depth == 0)
				reply->AddInt32("result", 2);
			else if (path.window == 1)
				reply->AddString("result", "2");
			else
				reply->AddFloat("result", 2.5f);
		} else {
			reply->AddInt32("result", 42);
			reply->AddData("result", B_RAW_TYPE, "\0\xff", 2);
		}
		reply->AddString("error", "none");
	}

	Mode					fMode;
	int32					fWindows;
	int32					fDepth;
	int64					fAnswered = 0;
	int64					fRequestBytes = 0;
	int64					fReplyBytes = 0;
	std::vector<BMessage*>	fUnanswered;
};

} // namespace


int
main(int argc, char** argv)
{
	if (argc < 3)
		return 2;
	Mode mode;
	int32 windows = 0;
	int32 depth = 0;
	if (strcmp(argv[2], "nested") == 0 && argc == 5) {
		mode = kNested;
		windows = atoi(argv[3]);
		depth = atoi(argv[4]);
	} else if (strcmp(argv[2], "hangafter") == 0)
		mode = kHangAfter;
	else if (strcmp(argv[2], "silent") == 0)
		mode = kSilent;
	else if (strcmp(argv[2], "garbage") == 0)
		mode = kGarbage;
	else if (strcmp(argv[2], "wrongsuites") == 0)
		mode = kWrongSuites;
	else
		return 2;

	FaultTargetApp* app = new FaultTargetApp(argv[1], mode, windows, depth);
	if (app->InitCheck() != B_OK)
		return 1;
	app->Run();
	delete app;
	return 0;
}
