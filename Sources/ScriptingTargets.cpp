#include "ScriptingTargets.h"

#include <AppDefs.h>
#include <Application.h>
#include <Bitmap.h>
#include <File.h>
#include <List.h>
#include <Messenger.h>

#include <inttypes.h>
#include <stdio.h>
#include <string.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "AnalysisGate.h"
#include "AnalysisLog.h"
#include "AnalysisLooper.h"
#include "PrefilledBitmap.h"
#include "ScriptingUtils.h"


static const int32 kGenericAppIcon = 19;
static const int32 kWindowIcon = 20;
static const int32 kViewIcon = 21;
static const uint32 kIconType = B_MESSAGE_TYPE;

static const char* kMenuSuite = "suite/vnd.Be-menu";
static const char* kNotScriptable = "NOT SCRIPTABLE";

static BBitmap* stApplicationIcon = NULL;
static BBitmap* stWindowIcon = NULL;
static BBitmap* stViewIcon = NULL;


static bool
ContainsValidChars(const char* text)
{
	// Bytes of 128 and above are parts of characters, never white space.
	for (const char* c = text; *c != '\0'; c++) {
		if (strchr(" \t\n\v\f\r", *c) == NULL)
			return true;
	}
	return false;
}


static bool
ContainsValidChars(const BString& text)
{
	return ContainsValidChars(text.String());
}


// The visible name when it shows something, else the internal name.
static const BString&
ShownName(const BString& name, const BString& internalName)
{
	return name.Length() > 0 && ContainsValidChars(name) ? name : internalName;
}


static bool
IsUsable(const BString& name)
{
	return name.Length() > 0 && ContainsValidChars(name);
}


// One of the program's own icons from its resources, or a blank bitmap when the program's
// file is unknown. NULL when loading failed, so that the next call tries again.
static BBitmap*
LoadIcon(int32 id)
{
	app_info info;
	if (be_app == NULL || be_app->GetAppInfo(&info) != B_OK)
		return new BBitmap(BRect(0, 0, 15, 15), B_CMAP8, false, false);
	BFile file(&info.ref, B_READ_ONLY);
	return LoadBitmapFromResource(file, id, kIconType);
}


// Whether node's analysis logs to standard output: always, but for an analysis whose mode
// writes something else there.
static bool
IsLogged(ScriptingElement* node)
{
	AnalysisBudget* budget = node->Budget();
	return budget == NULL || budget->IsLogged();
}


// Asks node for one of its string properties; value is left as it is without an answer.
static AnalysisTask
GetStringProperty(ScriptingElement* node, const char* property, BString* value)
{
	BMessage request(B_GET_PROPERTY);
	node->MakeRequest(&request, property);
	BMessage reply;
	const char* result;
	if (co_await node->Ask(&request, &reply) == B_OK
		&& reply.FindString("result", &result) == B_OK)
		*value = result;
}


// #pragma mark - what windows and views share


// Asks node for its "Frame" and "Hidden", which tell where it can be picked on the
// screen; a frame that does not come stays invalid, a flag that does not come false.
static AnalysisTask
ReadPlace(ScriptingElement* node)
{
	BRect frame;
	bool hidden = false;
	BMessage request(B_GET_PROPERTY);
	node->MakeRequest(&request, "Frame");
	BMessage reply;
	if (co_await node->Ask(&request, &reply) != B_OK
		|| reply.FindRect("result", &frame) != B_OK || !frame.IsValid())
		frame = BRect();
	node->MakeRequest(&request, "Hidden");
	if (co_await node->Ask(&request, &reply) != B_OK
		|| reply.FindBool("result", &hidden) != B_OK)
		hidden = false;
	node->SetPlace(frame, hidden);
}


// A window's or view's name in error lines: its kind ("Window" or "View") with its index,
// or with its name when it was addressed by name.
static BString
TargetLabel(const ScriptingElement* node, const char* kind)
{
	BString label;
	if (node->GetIndex() >= 0)
		label.SetToFormat("%s %" PRId32, kind, node->GetIndex());
	else
		label.SetToFormat("%s %s", kind, node->GetName().String());
	return label;
}


// The black text of a window's or view's row: its internal name when that shows, else
// its kind with its index, else, for one addressed by name, "(Ghost <kind>)" when ghost
// holds and nothing otherwise.
static BString
RowText(const ScriptingElement* node, const char* kind, bool ghost)
{
	BString text;
	if (IsUsable(node->GetInternalName()))
		text = node->GetInternalName();
	else if (node->GetIndex() >= 0)
		text.SetToFormat("%s %" PRId32, kind, node->GetIndex());
	else if (ghost)
		text.SetToFormat("(Ghost %s)", kind);
	return text;
}


// Labels the row of a window or view that answered: its visible name in red when that
// shows, and its RowText in black.
static void
LabelRow(ScriptingElement* node, const char* kind, bool ghost)
{
	if (IsUsable(node->GetName()))
		node->SetDynamicText(node->GetName().String());
	node->SetText(RowText(node, kind, ghost).String());
}


// Labels the row of a window or view that is not scriptable, whose analysis ends there.
static void
LabelNotScriptable(ScriptingElement* node, const BString& text)
{
	node->SetText(text.String());
	node->SetDynamicText(kNotScriptable);
}


// Prints a window's or view's line, its visible name (else its internal name) and its
// index, then the views below it.
static void
PrintTarget(const ScriptingElement* node)
{
	node->IndentToStream();
	printf("%s [%" PRId32 "]\n",
		printable_str(ShownName(node->GetName(), node->GetInternalName())).String(),
		node->GetIndex());
	node->ScriptingElement::PrintToStream();
}


// Asks node (a window or a view, of the kind named in error lines) for the number of its
// views; *counted false, with the error line written, when it cannot be had.
static AnalysisTask
CountViews(ScriptingElement* node, const char* kind, int32* count, bool* counted)
{
	*counted = false;
	BString what = TargetLabel(node, kind);
	BMessage request(B_COUNT_PROPERTIES);
	node->MakeRequest(&request, "View");
	BMessage reply;
	status_t status = co_await node->Ask(&request, &reply);
	if (status != B_OK) {
		node->SetFailure(BString("count ") << specifier_to_str(&request, false), status);
		// A request left unsent once the analysis has given up says nothing new: the
		// line that it gave up is written.
		if (status != B_CANCELED) {
			node->Log()->Print(stderr, "cannot 'count View' of %s of %s (%s)\n",
				printable_str(what).String(), printable_str(node->ParentName()).String(),
				strerror(status));
		}
		co_return;
	}
	status = reply.FindInt32("result", count);
	if (status != B_OK) {
		node->SetFailure(BString("count ") << specifier_to_str(&request, false), status);
		node->Log()->Print(stderr, "cannot extract number of views of %s of %s (%s)\n",
			printable_str(what).String(), printable_str(node->ParentName()).String(),
			strerror(status));
		co_return;
	}
	*counted = true;
}


// The subtrees that an analysis with requests in flight runs beside its own: awaiting
// them goes on once the last has ended.
struct Branches {
	AnalysisBudget*			budget;
	int32					running = 0;
	std::coroutine_handle<>	waiter = nullptr;

	bool					await_ready() const { return running == 0; }
	void					await_suspend(std::coroutine_handle<> awaiter)
								{ waiter = awaiter; }
	void					await_resume() const {}

	static std::coroutine_handle<> Ended(void* cookie)
	{
		Branches* branches = static_cast<Branches*>(cookie);
		branches->budget->EndBranch();
		if (--branches->running > 0 || branches->waiter == nullptr)
			return std::noop_coroutine();
		return std::exchange(branches->waiter, nullptr);
	}
};


// Asks child what its row shows and analyses it at childLevel; *kept is the child once
// that is done, unless it is not scriptable, when it is deleted. Tells logs, if any, that
// the child has logged all it had to.
static AnalysisTask
AnalyzeChild(ScriptingElement* child, int32 childLevel, ScriptingElement** kept,
	ChildLogs* logs, int32 index)
{
	co_await child->Introduce();
	if (!child->IsScriptable())
		delete child;
	else {
		co_await child->Analysis(childLevel);
		*kept = child;
	}
	if (logs != NULL)
		logs->Ended(index);
}


// The children of parent made by make, index by index while the budget takes more targets,
// each analysed one level deeper, into *list; the unscriptable ones are left out. With
// requests in flight, sibling subtrees are analysed side by side and then listed in their
// order, and what they log is written in their order too.
static AnalysisTask
AnalyzeChildren(ScriptingElement* parent, int32 count, int32 childLevel,
	std::function<ScriptingElement*(int32)> make, BList** list)
{
	AnalysisBudget* budget = parent->Budget();
	// Requests in flight are had only under a budget, which cut count to kMaxChildren.
	std::vector<ScriptingElement*> kept(count > 0 ? count : 0, NULL);
	bool inFlight = parent->Looper() != NULL;
	std::unique_ptr<ChildLogs> logs;
	if (inFlight)
		logs = std::make_unique<ChildLogs>(parent->Log());
	Branches branches = { budget };
	std::vector<AnalysisTask> beside;
	for (int32 i = 0; i < count && (budget == NULL || budget->AddTarget()); i++) {
		ScriptingElement* made = make(i);
		if (logs != nullptr)
			made->SetLog(logs->Add());
		AnalysisTask child = AnalyzeChild(made, childLevel, &kept[i], logs.get(), i);
		if (!inFlight || !budget->TakeBranch()) {
			co_await child;
			continue;
		}
		branches.running++;
		beside.push_back(std::move(child));
		beside.back().Start(Branches::Ended, &branches);
	}
	co_await branches;

	BList* children = new BList(count > 0 ? count : 1);
	for (ScriptingElement* child : kept) {
		if (child == NULL)
			continue;
		// Every child has ended: its log has passed all on and goes with logs.
		child->SetLog(NULL);
		children->AddItem(child);
	}
	*list = children;
}


// The views of a window or view, each analysed one level deeper, into *list; the
// unscriptable ones are left out, and so are those beyond the limits of the analysis.
static AnalysisTask
AnalyzeViews(BMessenger* messenger, ScriptingElement* parent, int32 count,
	int32 childLevel, BList** list)
{
	AnalysisBudget* budget = parent->Budget();
	if (budget != NULL)
		count = budget->ViewsAt(childLevel - 1) ? budget->Children(count, "views") : 0;
	co_await AnalyzeChildren(parent, count, childLevel, [=](int32 index) {
		return new ScriptingView(index, messenger, parent, childLevel, false);
	}, list);
}


// A message grown one item at a time holds up to twice its size in memory, and at least
// 256 bytes. A node keeps its specifier for its whole life: it keeps an exact copy instead.
static void
Compact(BMessage& message)
{
	message = BMessage(message);
}


static ScriptingApplication*
MakeApplication(const app_info& info)
{
	return new ScriptingApplication(BString(info.ref.name), info,
		new BMessenger(info.signature, -1));
}


// #pragma mark - ScriptingApplication


ScriptingApplication::ScriptingApplication(const BString& name, const app_info& info,
	BMessenger* messenger, ScriptingElement* parent)
	:
	ScriptingElement(messenger, parent, 0),
	fAppInfo(info),
	fWindowCount(0),
	fBudget(name),
	fLooper(NULL),
	fIdentified(false),
	fAnalysisThread(-1),
	fPrintWhenAnalysed(false)
{
	fInternalName = fAppInfo.signature;
	fName = name;
	fIndex = 0;
}


void
ScriptingApplication::Identify()
{
	RunNow(_Identify());
}


AnalysisTask
ScriptingApplication::_Identify()
{
	fIdentified = true;
	status_t status = B_ERROR;
	if (fMessenger != NULL && fMessenger->IsValid())
		co_await AskSuites(&status);
	if (status != B_OK) {
		SetFailure("getsuites", status);
		// Without a messenger there was nobody to ask: the application has gone.
		if (fMessenger != NULL && fMessenger->IsValid()) {
			Log()->Print(stderr, "cannot 'get Suites' of application '%s' (%s)\n",
				printable_str(fName).String(), strerror(status));
		}
		co_return;
	}
	fScriptable = fSuites->HasString("suites", 0);

	BString text("\"");
	text << fInternalName << "\"";
	SetText(text.String());
	SetDynamicText(fScriptable ? fName.String() : kNotScriptable);
}


ScriptingApplication::~ScriptingApplication()
{
	delete fMessenger;
}


void
ScriptingApplication::PrintToStream() const
{
	if (fAnalysisThread >= 0) {
		// Without an application object nothing hands the node back: wait here.
		if (be_app != NULL) {
			fPrintWhenAnalysed = true;
			return;
		}
		wait_for_thread(fAnalysisThread, NULL);
		const_cast<ScriptingApplication*>(this)->fAnalysisThread = -1;
	}

	BString line;
	line << "\"" << printable_str(fInternalName) << "\" (" << printable_str(fName) << ")";
	if (!fScriptable)
		line << " is not scriptable\n";
	else {
		line << " supports:\n";
		const char* suite;
		for (int32 i = 0; fSuites->FindString("suites", i, &suite) == B_OK; i++) {
			if (i > 0)
				line << " ";
			line << printable_str(suite);
		}
		line << "\n";
	}
	// The tree goes out in one piece, between the log lines of analyses still running.
	flockfile(stdout);
	fputs(line.String(), stdout);
	ScriptingElement::PrintToStream();
	funlockfile(stdout);
}


int32
ScriptingApplication::Analyze(int32 level)
{
	bool shown = false;
	{
		// The node is handed over only once its place at the gate is given back.
		AnalysisGateEntry entry(AnalysisGate::Default(), &fBudget);
		AnalysisTask analysis = _Analysis(level, &shown);
		AnalysisLooper* looper = fBudget.RequestsInFlight() > 1
			? AnalysisLooper::Acquire() : NULL;
		fLooper = looper;
		bool ran = looper != NULL && looper->RunAndWait(&analysis);
		// Without the looper's help the analysis still runs, one request at a time.
		fLooper = NULL;
		if (!ran)
			RunNow(std::move(analysis));
		if (looper != NULL)
			AnalysisLooper::Release(looper);
	}
	return _HandOver(shown ? kMsgAddApp : kMsgDropApp, shown ? fWindowCount : 0);
}


AnalysisTask
ScriptingApplication::_Analysis(int32 level, bool* shown)
{
	if (!fIdentified)
		co_await _Identify();
	if (!fScriptable)
		co_return;

	BMessage request(B_COUNT_PROPERTIES);
	request.AddSpecifier("Window");
	BMessage reply;
	status_t status = co_await Ask(&request, &reply);
	if (status != B_OK) {
		SetFailure("count Window", status);
		Log()->Print(stderr, "cannot 'count Window' of application '%s' (%s)\n",
			printable_str(fName).String(), strerror(status));
		co_return;
	}
	status = reply.FindInt32("result", &fWindowCount);
	if (status != B_OK) {
		SetFailure("count Window", status);
		Log()->Print(stderr, "cannot extract number of windows for application '%s' (%s)\n",
			printable_str(fName).String(), strerror(status));
		co_return;
	}
	reply.MakeEmpty();
	int32 childLevel = level + 1;

	if (IsLogged(this)) {
		Log()->Print(stdout, "Application %s reports %" PRId32 " windows\n",
			printable_str(fName).String(), fWindowCount);
	}

	// A negative count from the target makes no windows.
	int32 count = fBudget.Children(fWindowCount, "windows");
	co_await AnalyzeChildren(this, count, childLevel, [this, childLevel](int32 index) {
		return new ScriptingWindow(index, new BMessenger(*fMessenger), this, childLevel,
			true, false);
	}, &fChildren);
	fWindowCount = fChildren->CountItems();
	*shown = true;
}


// Posts the node to the application object, which owns it from then on: nothing here may
// touch the node afterwards. Without an application object the caller keeps it; when the
// application object has gone meanwhile (the program quit), nobody else has the node.
int32
ScriptingApplication::_HandOver(uint32 what, int32 result)
{
	if (fReceiver.Team() < 0)
		return result;
	BMessage message(what);
	message.AddPointer("result", this);
	if (fReceiver.SendMessage(&message) != B_OK)
		delete this;
	return result;
}


int32
ScriptingApplication::AnalyzeApplication()
{
	return AnalyzeApplication(be_app != NULL ? be_app_messenger : BMessenger());
}


int32
ScriptingApplication::AnalyzeApplication(const BMessenger& receiver)
{
	fReceiver = receiver;
	BString threadName(fName);
	threadName << " analysis";
	thread_id thread = spawn_thread((thread_func)AnalyzeThread, threadName.String(),
		B_NORMAL_PRIORITY, this);
	if (thread < 0)
		return AnalyzeThread(this);

	fAnalysisThread = thread;
	return resume_thread(thread);
}


void
ScriptingApplication::AnalysisEnded()
{
	// The thread has posted the node as its last act; waiting for it frees its record,
	// and its id may be reused afterwards, so it is forgotten.
	if (fAnalysisThread >= 0) {
		wait_for_thread(fAnalysisThread, NULL);
		fAnalysisThread = -1;
	}
	if (fPrintWhenAnalysed) {
		fPrintWhenAnalysed = false;
		PrintToStream();
	}
}


int32
ScriptingApplication::AnalyzeThread(void* data)
{
	return static_cast<ScriptingApplication*>(data)->Analyze(0);
}


ScriptingApplication*
ScriptingApplication::Reanalysis() const
{
	return new ScriptingApplication(fName, fAppInfo,
		new BMessenger(fAppInfo.signature, fAppInfo.team));
}


BBitmap*
ScriptingApplication::GetBitmap() const
{
	return ApplicationIcon();
}


// #pragma mark - ScriptingWindow


ScriptingWindow::ScriptingWindow(int32 index, BMessenger* messenger,
	ScriptingElement* parent, int32 level, bool addSpecifier, bool ask)
	:
	ScriptingElement(messenger, parent, level)
{
	fIndex = index;
	fName = "";
	InitObject(index, addSpecifier, ask);
}


ScriptingWindow::ScriptingWindow(const char* name, BMessenger* messenger,
	ScriptingElement* parent, int32 level, bool addSpecifier, bool ask)
	:
	ScriptingElement(messenger, parent, level)
{
	fName = name;
	fIndex = -1;
	InitObject(fName.String(), addSpecifier, ask);
}


ScriptingWindow::~ScriptingWindow()
{
	delete fMessenger;
}


template<typename Key>
void
ScriptingWindow::InitObject(Key indexOrName, bool addSpecifier, bool ask)
{
	if (fMessenger == NULL || !fMessenger->IsValid())
		return;
	fAccess.MakeEmpty();
	if (addSpecifier)
		fAccess.AddSpecifier("Window", indexOrName);
	Compact(fAccess);
	KeepRequestChain();
	if (ask)
		RunNow(Introduce());
}


AnalysisTask
ScriptingWindow::Introduce()
{
	// Without a kept chain the target had gone when the node was made.
	if (fRequestChain == nullptr)
		co_return;
	status_t status;
	co_await AskSuites(&status);
	if (status == B_OK)
		fScriptable = fSuites->HasString("suites", 0);
	if (!fScriptable)
		co_return;

	co_await GetStringProperty(this, "Title", &fName);
	co_await GetStringProperty(this, "InternalName", &fInternalName);
	co_await ReadPlace(this);
	LabelRow(this, "Window", true);
}


void
ScriptingWindow::PrintToStream() const
{
	PrintTarget(this);
}


int32
ScriptingWindow::Analyze(int32 level)
{
	RunNow(Analysis(level));
	return CountChildren();
}


AnalysisTask
ScriptingWindow::Analysis(int32 level)
{
	co_await _Analysis(level);
	ReleaseRequestChain();
}


AnalysisTask
ScriptingWindow::_Analysis(int32 level)
{
	if (!fScriptable) {
		// Unlike a view, a window that cannot be asked shows the name it was addressed by.
		BString text;
		if (IsUsable(fInternalName))
			text = fInternalName;
		else if (IsUsable(fName))
			text = fName;
		else
			text.SetToFormat("Window %" PRId32, fIndex);
		LabelNotScriptable(this, text);
		co_return;
	}

	int32 count;
	bool counted;
	co_await CountViews(this, "Window", &count, &counted);
	if (!counted)
		co_return;
	int32 childLevel = level + 1;

	if (IsLogged(this)) {
		Log()->Print(stdout, "  Window %s of application %s reports %" PRId32 " views\n",
			printable_str(fName).String(), printable_str(ParentName()).String(), count);
	}

	co_await AnalyzeViews(fMessenger, this, count, childLevel, &fChildren);
}


BBitmap*
ScriptingWindow::GetBitmap() const
{
	if (stWindowIcon == NULL)
		stWindowIcon = LoadIcon(kWindowIcon);
	return stWindowIcon;
}


// #pragma mark - ScriptingView


ScriptingView::ScriptingView(int32 index, BMessenger* messenger, ScriptingElement* parent,
	int32 level, bool ask)
	:
	ScriptingElement(messenger, parent, level)
{
	fIndex = index;
	fName = "";
	InitObject(index, ask);
}


ScriptingView::ScriptingView(const char* name, BMessenger* messenger,
	ScriptingElement* parent, int32 level, bool ask)
	:
	ScriptingElement(messenger, parent, level)
{
	fName = name;
	fIndex = -1;
	InitObject(fName.String(), ask);
}


ScriptingView::~ScriptingView()
{
}


template<typename Key>
void
ScriptingView::InitObject(Key indexOrName, bool ask)
{
	if (fMessenger == NULL || !fMessenger->IsValid())
		return;
	fAccess.MakeEmpty();
	fAccess.AddSpecifier("View", indexOrName);
	Compact(fAccess);
	KeepRequestChain();
	if (ask)
		RunNow(Introduce());
}


AnalysisTask
ScriptingView::Introduce()
{
	// Without a kept chain the target had gone when the node was made.
	if (fRequestChain == nullptr)
		co_return;
	status_t status;
	co_await AskSuites(&status);
	if (status == B_OK)
		fScriptable = fSuites->HasString("suites", 0);
	if (!fScriptable)
		co_return;

	co_await GetStringProperty(this, "InternalName", &fInternalName);
	co_await ReadPlace(this);

	// A label that cannot be asked for is reported with what was asked.
	BMessage request(B_GET_PROPERTY);
	MakeRequest(&request, "Label");
	BMessage reply;
	const char* result;
	status = co_await Ask(&request, &reply);
	if (status != B_OK) {
		if (IsLogged(this)) {
			std::string text = "Trying to get "
				+ std::string(printable_str(specifier_to_str(&request, false)).String())
				+ "\nObject supports: " + message_text(fSuites.get())
				+ "Message sent: " + message_text(&request)
				+ "Error: " + strerror(status) + "\n";
			Log()->Write(stdout, text);
		}
	} else if (reply.FindString("result", &result) == B_OK)
		fName = result;

	if (!IsUsable(fName) && !IsUsable(fInternalName)) {
		const char* suite;
		for (int32 i = 0; fSuites->FindString("suites", i, &suite) == B_OK; i++) {
			if (strcmp(suite, kMenuSuite) == 0) {
				fInternalName = "MenuBar";
				break;
			}
		}
	}

	// A view addressed by name that reported a label shows only the label.
	LabelRow(this, "View", !IsUsable(fName));
}


void
ScriptingView::PrintToStream() const
{
	PrintTarget(this);
}


int32
ScriptingView::Analyze(int32 level)
{
	RunNow(Analysis(level));
	return CountChildren();
}


AnalysisTask
ScriptingView::Analysis(int32 level)
{
	co_await _Analysis(level);
	ReleaseRequestChain();
}


AnalysisTask
ScriptingView::_Analysis(int32 level)
{
	if (!fScriptable) {
		LabelNotScriptable(this, RowText(this, "View", !IsUsable(fName)));
		co_return;
	}

	int32 count;
	bool counted;
	co_await CountViews(this, "View", &count, &counted);
	if (!counted)
		co_return;
	int32 childLevel = level + 1;

	BString indent;
	for (int32 i = 0; i < childLevel; i++)
		indent << "  ";
	if (IsLogged(this)) {
		Log()->Print(stdout, "%sView %" PRId32 " (%s,%s) reports %" PRId32 " views\n",
			indent.String(), fIndex, printable_str(fInternalName).String(),
			printable_str(fName).String(), count);
	}

	co_await AnalyzeViews(fMessenger, this, count, childLevel, &fChildren);
}


BBitmap*
ScriptingView::GetBitmap() const
{
	if (stViewIcon == NULL)
		stViewIcon = LoadIcon(kViewIcon);
	return stViewIcon;
}


// #pragma mark - discovery


BBitmap*
ApplicationIcon()
{
	if (stApplicationIcon == NULL)
		stApplicationIcon = LoadIcon(kGenericAppIcon);
	return stApplicationIcon;
}


BList*
GetRunningApplications(const char* leaveOut)
{
	BList teams(20);
	be_roster->GetAppList(&teams);

	int32 count = teams.CountItems();
	BList* applications = new BList(count > 1 ? count - 1 : 1);
	for (int32 i = 0; i < count; i++) {
		app_info info;
		be_roster->GetRunningAppInfo((team_id)(intptr_t)teams.ItemAt(i), &info);
		if (strcmp(info.signature, leaveOut) == 0)
			continue;
		applications->AddItem(MakeApplication(info));
	}
	return applications;
}


ScriptingApplication*
CreateScriptingApplication(const char* name)
{
	BList teams(20);
	be_roster->GetAppList(&teams);

	for (int32 i = 0; i < teams.CountItems(); i++) {
		app_info info;
		be_roster->GetRunningAppInfo((team_id)(intptr_t)teams.ItemAt(i), &info);
		if (strcmp(name, info.ref.name != NULL ? info.ref.name : "") == 0
			|| strcmp(name, info.signature) == 0)
			return MakeApplication(info);
	}
	return NULL;
}
