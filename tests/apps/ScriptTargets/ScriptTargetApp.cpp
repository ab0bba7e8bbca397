// A headless application that answers the scripting protocol for a fixed tree of windows
// and views, built from loopers and handlers, so that an explorer has something known to
// find. Usage:
//
//	ScriptTargetApp <signature> [tree | nosuites | nocount | exitcount | exitlabel
//		| hangcount | blank | hidden] [internal name of window 0]
//
//	tree		the windows below (the default)
//	nosuites	answers B_GET_SUPPORTED_SUITES without any suite
//	nocount		answers the count of windows without "result"
//	exitcount	ends the process when asked for the count of windows
//	exitlabel	the tree, but the process ends when asked for any view's "Label"
//	hangcount	keeps the count of windows unanswered, and says "holding" on standard
//				output when it has one
//	blank		the tree, but window 1 and view 2 of window 0 have names and labels of
//				white space only
//	hidden		the tree, but no window is scriptable
//
// The tree:
//	Window 0 "Main Window" (internal name "MainWindow")
//		View 0: no name, no label, menu suite
//		View 1 "fBackView", without a "Label" property
//			View 0 "fButton", label "Press" ESC "[1m me"
//			View 1 not scriptable
//			View 2 "fStatus", label "Ready", answers its view count without "result"
//		View 2: no name, empty label
//	Window 1: no name, no title, no views
//	Window 2 not scriptable
//	Window 3 "Broken" ("BrokenWindow"), answers its view count without "result"
//
// The message 'AdVw' to the application adds a view "fAdded", label "Added", at the end of
// window 0's views, as an application that opens a panel would.
#include <Application.h>
#include <Looper.h>
#include <Message.h>
#include <PropertyInfo.h>

#include <stdio.h>
#include <string.h>
#include <unistd.h>

#include <string>
#include <vector>

namespace {

enum Mode {
	kTree, kNoSuites, kNoCount, kExitCount, kExitLabel, kHangCount, kBlank, kHidden
};

Mode stMode = kTree;

const uint32 kMsgAddView = 'AdVw';

const property_info kViewProperties[] = {
	{ "Label", { B_GET_PROPERTY }, { B_DIRECT_SPECIFIER }, "Returns the label." },
	{ "View", { B_COUNT_PROPERTIES }, { B_DIRECT_SPECIFIER },
		"Returns the number of child views." },
	{ "View", {}, { B_INDEX_SPECIFIER }, "Directs the scripting message to a child." },
	{}
};

const property_info kMenuProperties[] = {
	{ "MenuItem", { B_COUNT_PROPERTIES }, { B_DIRECT_SPECIFIER },
		"Returns the number of items." },
	{}
};

const property_info kWindowProperties[] = {
	{ "Title", { B_GET_PROPERTY }, { B_DIRECT_SPECIFIER }, "Returns the title." },
	{ "View", { B_COUNT_PROPERTIES }, { B_DIRECT_SPECIFIER }, "Returns the number of views." },
	{}
};


void
reply_result(BMessage* message, int32 count, bool withResult)
{
	BMessage reply(B_REPLY);
	if (withResult)
		reply.AddInt32("result", count);
	reply.AddInt32("error", B_OK);
	message->SendReply(&reply);
}


void
reply_result(BMessage* message, const char* text)
{
	BMessage reply(B_REPLY);
	reply.AddString("result", text);
	reply.AddInt32("error", B_OK);
	message->SendReply(&reply);
}


void
reply_bad_index(BMessage* message)
{
	BMessage reply(B_MESSAGE_NOT_UNDERSTOOD);
	reply.AddInt32("error", B_BAD_INDEX);
	reply.AddString("message", "View index out of range");
	message->SendReply(&reply);
}


void
add_suite(BMessage* data, const char* suite, const property_info* properties)
{
	BPropertyInfo info(const_cast<property_info*>(properties));
	data->AddString("suites", suite);
	data->AddFlat("messages", &info);
}


int32
specifier_index(const BMessage* specifier)
{
	int32 index;
	return specifier->FindInt32("index", &index) == B_OK ? index : -1;
}


bool
current_property(BMessage* message, const char* name)
{
	int32 index;
	BMessage specifier;
	int32 form;
	const char* property;
	return message->GetCurrentSpecifier(&index, &specifier, &form, &property) == B_OK
		&& strcmp(property, name) == 0;
}


struct ViewPlan {
	const char*				name;
	const char*				label;	// NULL: the view has no "Label" property
	bool					menu = false;
	bool					scriptable = true;
	bool					countWithResult = true;
	std::vector<ViewPlan>	children = {};
};


class TestView : public BHandler {
public:
	TestView(const ViewPlan& plan)
		:
		BHandler(plan.name),
		fPlan(plan)
	{
	}

	virtual ~TestView()
	{
		for (TestView* child : fChildren)
			delete child;
		if (Looper() != NULL)
			Looper()->RemoveHandler(this);
	}

	void AddTo(BLooper* looper)
	{
		looper->AddHandler(this);
		for (const ViewPlan& child : fPlan.children) {
			TestView* view = new TestView(child);
			view->AddTo(looper);
			fChildren.push_back(view);
		}
	}

	virtual BHandler* ResolveSpecifier(BMessage* message, int32 index, BMessage* specifier,
		int32 form, const char* property)
	{
		if (strcmp(property, "View") == 0 && form == B_INDEX_SPECIFIER) {
			int32 child = specifier_index(specifier);
			if (child < 0 || child >= (int32)fChildren.size()) {
				reply_bad_index(message);
				return NULL;
			}
			message->PopSpecifier();
			return fChildren[child];
		}
		if (strcmp(property, "View") == 0 && message->what == B_COUNT_PROPERTIES)
			return this;
		if (strcmp(property, "Label") == 0 && (fPlan.label != NULL || stMode == kExitLabel))
			return this;
		return BHandler::ResolveSpecifier(message, index, specifier, form, property);
	}

	virtual void MessageReceived(BMessage* message)
	{
		if (message->what == B_COUNT_PROPERTIES && current_property(message, "View")) {
			reply_result(message, (int32)fChildren.size(), fPlan.countWithResult);
			return;
		}
		if (message->what == B_GET_PROPERTY && current_property(message, "Label")) {
			if (stMode == kExitLabel)
				_exit(4);
			reply_result(message, fPlan.label);
			return;
		}
		BHandler::MessageReceived(message);
	}

	virtual status_t GetSupportedSuites(BMessage* data)
	{
		if (!fPlan.scriptable)
			return B_OK;
		if (fPlan.menu)
			add_suite(data, "suite/vnd.Be-menu", kMenuProperties);
		add_suite(data, "suite/vnd.Be-view", kViewProperties);
		return BHandler::GetSupportedSuites(data);
	}

private:
	ViewPlan				fPlan;
	std::vector<TestView*>	fChildren;
};


class TestWindow : public BLooper {
public:
	TestWindow(const char* name, const char* title, bool scriptable, bool countWithResult,
		const std::vector<ViewPlan>& views)
		:
		BLooper(name),
		fTitle(title),
		fScriptable(scriptable),
		fCountWithResult(countWithResult)
	{
		for (const ViewPlan& plan : views) {
			TestView* view = new TestView(plan);
			view->AddTo(this);
			fViews.push_back(view);
		}
	}

	virtual ~TestWindow()
	{
		for (TestView* view : fViews)
			delete view;
	}

	virtual BHandler* ResolveSpecifier(BMessage* message, int32 index, BMessage* specifier,
		int32 form, const char* property)
	{
		if (strcmp(property, "Title") == 0)
			return this;
		if (strcmp(property, "View") == 0 && form == B_INDEX_SPECIFIER) {
			int32 view = specifier_index(specifier);
			if (view < 0 || view >= (int32)fViews.size()) {
				reply_bad_index(message);
				return NULL;
			}
			message->PopSpecifier();
			return fViews[view];
		}
		if (strcmp(property, "View") == 0 && message->what == B_COUNT_PROPERTIES)
			return this;
		return BLooper::ResolveSpecifier(message, index, specifier, form, property);
	}

	virtual void MessageReceived(BMessage* message)
	{
		if (message->what == B_COUNT_PROPERTIES && current_property(message, "View")) {
			reply_result(message, (int32)fViews.size(), fCountWithResult);
			return;
		}
		if (message->what == B_GET_PROPERTY && current_property(message, "Title")) {
			reply_result(message, fTitle.c_str());
			return;
		}
		if (message->what == kMsgAddView) {
			TestView* view = new TestView({ "fAdded", "Added" });
			view->AddTo(this);
			fViews.push_back(view);
			return;
		}
		BLooper::MessageReceived(message);
	}

	virtual status_t GetSupportedSuites(BMessage* data)
	{
		if (!fScriptable || stMode == kHidden)
			return B_OK;
		add_suite(data, "suite/vnd.Be-window", kWindowProperties);
		return BLooper::GetSupportedSuites(data);
	}

private:
	std::string				fTitle;
	bool					fScriptable;
	bool					fCountWithResult;
	std::vector<TestView*>	fViews;
};


class ScriptTargetApp : public BApplication {
public:
	ScriptTargetApp(const char* signature, const char* mainName)
		:
		BApplication(signature)
	{
		ViewPlan button = { "fButton", "Press\x1b[1m me" };
		ViewPlan hidden = { "fHidden", "Hidden" };
		hidden.scriptable = false;
		ViewPlan status = { "fStatus", "Ready" };
		status.countWithResult = false;
		ViewPlan menuBar = { "", NULL };
		menuBar.menu = true;
		ViewPlan back = { "fBackView", NULL };
		back.children = { button, hidden, status };
		bool blank = stMode == kBlank;
		ViewPlan plain = { blank ? "\t" : "", blank ? " " : "" };

		_AddWindow(new TestWindow(mainName, "Main Window", true, true,
			{ menuBar, back, plain }));
		_AddWindow(new TestWindow(blank ? "  " : "", blank ? " \t" : "", true, true, {}));
		_AddWindow(new TestWindow("Hidden", "Hidden", false, true, {}));
		_AddWindow(new TestWindow("BrokenWindow", "Broken", true, false, {}));
	}

	virtual BHandler* ResolveSpecifier(BMessage* message, int32 index, BMessage* specifier,
		int32 form, const char* property)
	{
		if (strcmp(property, "Window") == 0 && form == B_INDEX_SPECIFIER) {
			int32 window = specifier_index(specifier);
			if (window < 0 || window >= (int32)fWindows.size()) {
				reply_bad_index(message);
				return NULL;
			}
			message->PopSpecifier();
			return fWindows[window];
		}
		if (strcmp(property, "Window") == 0 && message->what == B_COUNT_PROPERTIES)
			return this;
		return BApplication::ResolveSpecifier(message, index, specifier, form, property);
	}

	virtual void MessageReceived(BMessage* message)
	{
		if (message->what == B_COUNT_PROPERTIES && current_property(message, "Window")) {
			if (stMode == kExitCount)
				_exit(5);
			if (stMode == kHangCount) {
				fUnanswered.push_back(DetachCurrentMessage());
				puts("holding");
				fflush(stdout);
				return;
			}
			reply_result(message, (int32)fWindows.size(), stMode != kNoCount);
			return;
		}
		if (message->what == kMsgAddView && !fWindows.empty()) {
			fWindows[0]->PostMessage(kMsgAddView);
			return;
		}
		BApplication::MessageReceived(message);
	}

	virtual status_t GetSupportedSuites(BMessage* data)
	{
		if (stMode == kNoSuites)
			return B_OK;
		return BApplication::GetSupportedSuites(data);
	}

	virtual bool QuitRequested()
	{
		for (TestWindow* window : fWindows) {
			window->Lock();
			window->Quit();
		}
		fWindows.clear();
		for (BMessage* message : fUnanswered)
			delete message;
		fUnanswered.clear();
		return true;
	}

private:
	void _AddWindow(TestWindow* window)
	{
		window->Run();
		fWindows.push_back(window);
	}

	std::vector<TestWindow*> fWindows;
	std::vector<BMessage*> fUnanswered;
};

} // namespace


int
main(int argc, char** argv)
{
	if (argc < 2)
		return 2;
	if (argc > 2) {
		const char* modes[] = { "tree", "nosuites", "nocount", "exitcount", "exitlabel",
			"hangcount", "blank", "hidden" };
		for (int i = 0; i < 8; i++) {
			if (strcmp(argv[2], modes[i]) == 0)
				stMode = (Mode)i;
		}
	}

	ScriptTargetApp* app = new ScriptTargetApp(argv[1], argc > 3 ? argv[3] : "MainWindow");
	if (app->InitCheck() != B_OK)
		return 1;
	app->Run();
	delete app;
	return 0;
}
