// The three kinds of scripting targets, and how the running applications are found.
//
// A ScriptingApplication is made on the caller's thread without asking its target anything,
// and analysed on a thread of its own (AnalyzeApplication), once the process's AnalysisGate
// gives it its turn: first its suites, then the
// windows with their views, depth first, logged to standard output, failures to standard
// error, all within the limits of its AnalysisBudget; an analysis that is not logged may
// keep several requests in flight, analysing sibling subtrees side by side on the
// AnalysisLooper, as its budget allows. A
// finished, scriptable node is posted to be_app as kMsgAddApp with the node in "result";
// from then on it belongs to whoever receives that message. A node that is not to be shown
// (not scriptable, or its window count failed) is posted as kMsgDropApp instead, so that
// the application object frees it once nothing prints it any more.
#ifndef SCRIPTING_TARGETS_H
#define SCRIPTING_TARGETS_H

#include <Messenger.h>
#include <OS.h>
#include <Roster.h>

#include <memory>

#include "AnalysisBudget.h"
#include "AnalysisTask.h"
#include "ScriptingElement.h"
#include "SuitesPool.h"

enum {
	kMsgAddApp = 'Aapp',
	kMsgDropApp = 'Dapp'
};


class ScriptingApplication : public ScriptingElement {
public:
	// Takes over messenger.
							ScriptingApplication(const BString& name,
								const app_info& info, BMessenger* messenger,
								ScriptingElement* parent = NULL);
	virtual					~ScriptingApplication();

	// While the analysis runs, the print is put off until the node comes back from it
	// (AnalysisEnded), so that the whole tree is printed, never read while it grows, and
	// the calling thread never waits for a slow target.
	virtual	void			PrintToStream() const;
	// Identifies the node first when that has not been done.
	virtual	int32			Analyze(int32 level);
	virtual	BBitmap*		GetBitmap() const;
	virtual	AnalysisBudget*	Budget() { return &fBudget; }
	virtual	SuitesPool*		Pool() { return &fSuitesPool; }
	virtual	AnalysisLooper*	Looper() { return fLooper; }

	// Asks the application for its suites and labels the row. The analysis does it
	// first, on its own thread: until then the node is not scriptable and its row blank.
			void			Identify();
	// Starts the analysis on a thread named after the application, or runs it here when
	// no thread can be made.
			int32			AnalyzeApplication();
	// The same, with the finished node handed to receiver instead of the application
	// object; the receiver then calls AnalysisEnded.
			int32			AnalyzeApplication(const BMessenger& receiver);
	static	int32			AnalyzeThread(void* data);
	// A new node for the same running application (the same team), to be analysed again
	// from the start with a budget of its own. The caller owns it.
			ScriptingApplication* Reanalysis() const;
	// Called by the receiver of kMsgAddApp or kMsgDropApp, on the thread that started
	// the analysis: ends the analysis thread and prints the tree if a print was asked for.
			void			AnalysisEnded();

			team_id			Team() const { return fAppInfo.team; }
	// Whether the analysis stopped at one of the limits of its budget.
			bool			GaveUp() const { return fBudget.GaveUp(); }

private:
			AnalysisTask	_Identify();
	// Analyze, once the gate lets the analysis in: *shown tells whether the node is to be
	// shown.
			AnalysisTask	_Analysis(int32 level, bool* shown);
			int32			_HandOver(uint32 what, int32 result);

			app_info		fAppInfo;
			int32			fWindowCount;
			AnalysisBudget	fBudget;
			SuitesPool		fSuitesPool;
	// While the analysis runs with several requests in flight.
			AnalysisLooper*	fLooper;
			bool			fIdentified;
	// The application object that takes the finished node, fixed when the analysis
	// starts: the thread never reads be_app, which goes away when the program quits.
			BMessenger		fReceiver;
	// Both are touched only by the thread that started the analysis.
			thread_id		fAnalysisThread;
	mutable	bool			fPrintWhenAnalysed;
};


class ScriptingWindow : public ScriptingElement {
public:
	// Take over messenger. With addSpecifier false the node addresses the application
	// itself. With ask false the target is asked nothing until Introduce is awaited.
							ScriptingWindow(int32 index, BMessenger* messenger,
								ScriptingElement* parent, int32 level,
								bool addSpecifier, bool ask = true);
							ScriptingWindow(const char* name, BMessenger* messenger,
								ScriptingElement* parent, int32 level,
								bool addSpecifier, bool ask = true);
	virtual					~ScriptingWindow();

	virtual	void			PrintToStream() const;
	virtual	int32			Analyze(int32 level);
	virtual	AnalysisTask	Analysis(int32 level);
	virtual	AnalysisTask	Introduce();
	virtual	BBitmap*		GetBitmap() const;

private:
	// Analysis, with the request chain kept meanwhile.
			AnalysisTask	_Analysis(int32 level);
	// Addresses the window by index (int32) or by name (const char*), then asks it
	// when ask holds.
	template<typename Key>
			void			InitObject(Key indexOrName, bool addSpecifier, bool ask);
};


class ScriptingView : public ScriptingElement {
public:
	// Borrow messenger, the window's: a view never deletes it. With ask false the target
	// is asked nothing until Introduce is awaited.
							ScriptingView(int32 index, BMessenger* messenger,
								ScriptingElement* parent, int32 level,
								bool ask = true);
							ScriptingView(const char* name, BMessenger* messenger,
								ScriptingElement* parent, int32 level,
								bool ask = true);
	virtual					~ScriptingView();

	virtual	void			PrintToStream() const;
	virtual	int32			Analyze(int32 level);
	virtual	AnalysisTask	Analysis(int32 level);
	virtual	AnalysisTask	Introduce();
	virtual	BBitmap*		GetBitmap() const;

private:
	// Analysis, with the request chain kept meanwhile.
			AnalysisTask	_Analysis(int32 level);
	// Addresses the view by index (int32) or by name (const char*) below its parent, then
	// asks it when ask holds.
	template<typename Key>
			void			InitObject(Key indexOrName, bool ask);
};


// The icon of application rows, which is also the program's own (its windows' and its
// desktop entry's); loaded from the program's resources on first use and kept. NULL when
// it cannot be loaded.
BBitmap* ApplicationIcon();

// Nodes for every running application except the one signed leaveOut. The caller owns the
// list and the nodes.
BList* GetRunningApplications(const char* leaveOut);
// A node for the first running application whose file name, else whose signature, is
// name; NULL when none matches. The caller owns the node.
ScriptingApplication* CreateScriptingApplication(const char* name);

#endif // SCRIPTING_TARGETS_H
