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
#include <vector>

#include "AnalysisGate.h"
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
static void
GetStringProperty(ScriptingElement* node, const char* property, BString* value)
{
	BMessage request(B_GET_PROPERTY);
	node->MakeRequest(&request, property);
	BMessage reply;
	const char* result;
	if (node->SendRequest(&request, &reply) == B_OK
		&& reply.FindString("result", &result) == B_OK)
		*value = result;
}


// #pragma mark - what windows and views share


// Asks node for its "Frame" and "Hidden", which tell where it can be picked on the
// screen; a frame that does not come stays invalid, a flag that does not come false.
static void
ReadPlace(ScriptingElement* node)
{
	BRect frame;
	bool hidden = false;
	BMessage request(B_GET_PROPERTY);
	node->MakeRequest(&request, "Frame");
	BMessage reply;
	if (node->SendRequest(&request, &reply) != B_OK
		|| reply.FindRect("result", &frame) != B_OK || !frame.IsValid())
		frame = BRect();
	node->MakeRequest(&request, "Hidden");
	if (node->SendRequest(&request, &reply) != B_OK
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


// Labels the row of a window or view that is not scriptable, whose analysis ends there:
// returns the number of views kept, none.
static int32
LabelNotScriptable(ScriptingElement* node, const BString& text)
{
	node->SetText(text.String());
	node->SetDynamicText(kNotScriptable);
	return 0;
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
// views; false, with the error line written, when it cannot be had.
static bool
CountViews(ScriptingElement* node, const char* kind, int32* count)
{
	BString what = TargetLabel(node, kind);
	BMessage request(B_COUNT_PROPERTIES);
	node->MakeRequest(&request, "View");
	BMessage reply;
	status_t status = node->SendRequest(&request, &reply);
	if (status != B_OK) {
		node->SetFailure(BString("count ") << specifier_to_str(&request, false), status);
		fprintf(stderr, "cannot 'count View' of %s of %s (%s)\n",
			printable_str(what).String(), printable_str(node->ParentName()).String(),
			strerror(status));
		return false;
	}
	status = reply.FindInt32("result", count);
	if (status != B_OK) {
		node->SetFailure(BString("count ") << specifier_to_str(&request, false), status);
		fprintf(stderr, "cannot extract number of views of %s of %s (%s)\n",
			printable_str(what).String(), printable_str(node->ParentName()).String(),
			strerror(status));
		return false;
	}
	return true;
}


// The children of parent made by make, index by index while the budget takes more targets,
// each analysed one level deeper; the unscriptable ones are left out. With a crew, sibling
// subtrees are analysed side by side and then listed in their order.
static BList*
AnalyzeChildren(ScriptingElement* parent, int32 count, int32 childLevel,
	const std::function<ScriptingElement*(int32)>& make)
{
	AnalysisBudget* budget = parent->Budget();
	std::function<bool()> admit = [budget] { return budget == NULL || budget->AddTarget(); };
	auto analyze = [&](int32 index) -> ScriptingElement* {
		ScriptingElement* child = make(index);
		if (!child->IsScriptable()) {
			delete child;
			return NULL;
		}
		child->Analyze(childLevel);
		return child;
	};

	BList* children = new BList(count > 0 ? count : 1);
	AnalysisCrew* crew = parent->Crew();
	if (crew == NULL) {
		for (int32 i = 0; i < count && admit(); i++) {
			if (ScriptingElement* child = analyze(i))
				children->AddItem(child);
		}
		return children;
	}

	// A crew runs only under a budget, which cut count to kMaxChildren.
	std::vector<ScriptingElement*> kept(count > 0 ? count : 0, NULL);
	crew->RunAll(count, admit, [&](int32 index) { kept[index] = analyze(index); });
	for (ScriptingElement* child : kept) {
		if (child != NULL)
			children->AddItem(child);
	}
	return children;
}


// The views of a window or view, each analysed one level deeper; the unscriptable ones
// are left out, and so are those beyond the limits of the analysis.
static BList*
AnalyzeViews(BMessenger* messenger, ScriptingElement* parent, int32 count,
	int32 childLevel)
{
	AnalysisBudget* budget = parent->Budget();
	if (budget != NULL)
		count = budget->ViewsAt(childLevel - 1) ? budget->Children(count, "views") : 0;
	return AnalyzeChildren(parent, count, childLevel, [=](int32 index) {
		return new ScriptingView(index, messenger, parent, childLevel);
	});
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
	fIdentified = true;
	status_t status = FindSuites();
	if (status != B_OK) {
		SetFailure("getsuites", status);
		// Without a messenger there was nobody to ask: the application has gone.
		if (fMessenger != NULL && fMessenger->IsValid()) {
			fprintf(stderr, "cannot 'get Suites' of application '%s' (%s)\n",
				printable_str(fName).String(), strerror(status));
		}
		return;
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
	bool shown;
	{
		// The node is handed over only once its place at the gate is given back.
		AnalysisGateEntry entry(AnalysisGate::Default(), &fBudget);
		shown = _Analyze(level);
	}
	return _HandOver(shown ? kMsgAddApp : kMsgDropApp, shown ? fWindowCount : 0);
}


bool
ScriptingApplication::_Analyze(int32 level)
{
	if (!fIdentified)
		Identify();
	if (!fScriptable)
		return false;

	BMessage request(B_COUNT_PROPERTIES);
	request.AddSpecifier("Window");
	BMessage reply;
	status_t status = SendRequest(&request, &reply);
	if (status != B_OK) {
		SetFailure("count Window", status);
		fprintf(stderr, "cannot 'count Window' of application '%s' (%s)\n",
			printable_str(fName).String(), strerror(status));
		return false;
	}
	status = reply.FindInt32("result", &fWindowCount);
	if (status != B_OK) {
		SetFailure("count Window", status);
		fprintf(stderr, "cannot extract number of windows for application '%s' (%s)\n",
			printable_str(fName).String(), strerror(status));
		return false;
	}
	reply.MakeEmpty();
	int32 childLevel = level + 1;

	if (IsLogged(this)) {
		printf("Application %s reports %" PRId32 " windows\n",
			printable_str(fName).String(), fWindowCount);
	}

	// A negative count from the target makes no windows.
	int32 count = fBudget.Children(fWindowCount, "windows");
	if (fBudget.RequestsInFlight() > 1)
		fCrew.reset(new AnalysisCrew(fBudget.RequestsInFlight()));
	fChildren = AnalyzeChildren(this, count, childLevel, [&](int32 index) {
		return new ScriptingWindow(index, new BMessenger(*fMessenger), this, childLevel,
			true);
	});
	// Its helpers end here: the node is handed over below.
	fCrew.reset();
	fWindowCount = fChildren->CountItems();
	return true;
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
	ScriptingElement* parent, int32 level, bool addSpecifier)
	:
	ScriptingElement(messenger, parent, level)
{
	fIndex = index;
	fName = "";
	InitObject(index, addSpecifier);
}


ScriptingWindow::ScriptingWindow(const char* name, BMessenger* messenger,
	ScriptingElement* parent, int32 level, bool addSpecifier)
	:
	ScriptingElement(messenger, parent, level)
{
	fName = name;
	fIndex = -1;
	InitObject(fName.String(), addSpecifier);
}


ScriptingWindow::~ScriptingWindow()
{
	delete fMessenger;
}


template<typename Key>
void
ScriptingWindow::InitObject(Key indexOrName, bool addSpecifier)
{
	if (fMessenger == NULL || !fMessenger->IsValid())
		return;
	fAccess.MakeEmpty();
	if (addSpecifier)
		fAccess.AddSpecifier("Window", indexOrName);
	Compact(fAccess);
	KeepRequestChain();
	InitObject();
}


void
ScriptingWindow::InitObject()
{
	if (AskSuites() == B_OK)
		fScriptable = fSuites->HasString("suites", 0);
	if (!fScriptable)
		return;

	GetStringProperty(this, "Title", &fName);
	GetStringProperty(this, "InternalName", &fInternalName);
	ReadPlace(this);
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
	int32 kept = _Analyze(level);
	ReleaseRequestChain();
	return kept;
}


int32
ScriptingWindow::_Analyze(int32 level)
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
		return LabelNotScriptable(this, text);
	}

	int32 count;
	if (!CountViews(this, "Window", &count))
		return 0;
	int32 childLevel = level + 1;

	if (IsLogged(this)) {
		printf("  Window %s of application %s reports %" PRId32 " views\n",
			printable_str(fName).String(), printable_str(ParentName()).String(), count);
	}

	fChildren = AnalyzeViews(fMessenger, this, count, childLevel);
	return fChildren->CountItems();
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
	int32 level)
	:
	ScriptingElement(messenger, parent, level)
{
	fIndex = index;
	fName = "";
	InitObject(index);
}


ScriptingView::ScriptingView(const char* name, BMessenger* messenger,
	ScriptingElement* parent, int32 level)
	:
	ScriptingElement(messenger, parent, level)
{
	fName = name;
	fIndex = -1;
	InitObject(fName.String());
}


ScriptingView::~ScriptingView()
{
}


template<typename Key>
void
ScriptingView::InitObject(Key indexOrName)
{
	if (fMessenger == NULL || !fMessenger->IsValid())
		return;
	fAccess.MakeEmpty();
	fAccess.AddSpecifier("View", indexOrName);
	Compact(fAccess);
	KeepRequestChain();
	InitObject();
}


void
ScriptingView::InitObject()
{
	if (AskSuites() == B_OK)
		fScriptable = fSuites->HasString("suites", 0);
	if (!fScriptable)
		return;

	GetStringProperty(this, "InternalName", &fInternalName);
	ReadPlace(this);

	// A label that cannot be asked for is reported with what was asked.
	BMessage request(B_GET_PROPERTY);
	MakeRequest(&request, "Label");
	BMessage reply;
	const char* result;
	status_t status = SendRequest(&request, &reply);
	if (status != B_OK) {
		if (IsLogged(this)) {
			printf("Trying to get %s\n",
				printable_str(specifier_to_str(&request, false)).String());
			fputs("Object supports: ", stdout);
			print_message(fSuites.get());
			fputs("Message sent: ", stdout);
			print_message(&request);
			printf("Error: %s\n", strerror(status));
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
	int32 kept = _Analyze(level);
	ReleaseRequestChain();
	return kept;
}


int32
ScriptingView::_Analyze(int32 level)
{
	if (!fScriptable)
		return LabelNotScriptable(this, RowText(this, "View", !IsUsable(fName)));

	int32 count;
	if (!CountViews(this, "View", &count))
		return 0;
	int32 childLevel = level + 1;

	BString indent;
	for (int32 i = 0; i < childLevel; i++)
		indent << "  ";
	if (IsLogged(this)) {
		printf("%sView %" PRId32 " (%s,%s) reports %" PRId32 " views\n", indent.String(),
			fIndex, printable_str(fInternalName).String(), printable_str(fName).String(),
			count);
	}

	fChildren = AnalyzeViews(fMessenger, this, count, childLevel);
	return fChildren->CountItems();
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
