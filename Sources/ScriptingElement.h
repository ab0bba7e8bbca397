// The target tree. A ScriptingElement is one scripting target (an application, one of its
// windows, or a view at any depth): how to reach it (a messenger and a specifier chain), what
// it answered, and its children. It is also the target's row in the browser's outline list,
// through SEItem, which draws an icon, a name in black and a dynamic name in red.
//
// Ownership: a node owns its children and deletes them with itself; it never deletes its
// parent or its messenger (the kinds that own one delete it themselves). A node is built by
// its application's analysis, after its parent and before its children (sibling subtrees
// may be built side by side on the AnalysisLooper); nothing else may read the tree until
// the analysis has handed the root on.
#ifndef SCRIPTING_ELEMENT_H
#define SCRIPTING_ELEMENT_H

#include <GraphicsDefs.h>
#include <ListItem.h>
#include <Message.h>
#include <Rect.h>
#include <String.h>

#include <coroutine>
#include <memory>

#include "AnalysisTask.h"

class AnalysisBudget;
class AnalysisLog;
class AnalysisLooper;
class BBitmap;
class BFont;
class BList;
class BMessenger;
class BOutlineListView;
class BView;
class SuitesPool;

class SEItem : public BListItem {
public:
							SEItem(const char* text, uint32 outlineLevel = 0,
								bool expanded = true);
	virtual					~SEItem();

	virtual	void			DrawItem(BView* owner, BRect frame, bool complete = false);
	virtual	void			Update(BView* owner, const BFont* font);

			void			SetText(const char* text);
			const char*		Text() const;
			void			SetDynamicText(const char* text);
			const char*		DynamicText() const;

	// The icon of the row's target kind. It belongs to the kind, not to the row.
	virtual	BBitmap*		GetBitmap() const = 0;

private:
			BString			fText;
			BString			fDynamicText;
			rgb_color		fSelectedColor;
			rgb_color		fDynamicColor;
			rgb_color		fDisabledDynamicColor;
			rgb_color		fTextColor;
			rgb_color		fDisabledTextColor;
			float			fTextHeight;
};


class ScriptingElement : public SEItem {
public:
							ScriptingElement(BMessenger* messenger,
								ScriptingElement* parent, int32 level);
	// Deletes the subtree.
	virtual					~ScriptingElement();

	// Prints the children, each with its own subtree; the kinds print their line first.
	virtual	void			PrintToStream() const;
	// Four blanks per level, without a newline.
	virtual	void			IndentToStream() const;
	// Queries the target for its children and builds and analyses them one level deeper;
	// returns the number of children kept.
	virtual	int32			Analyze(int32 level) = 0;
	// What Analyze does, for an analysis that awaits it (a window's or a view's; nothing
	// for the other kinds).
	virtual	AnalysisTask	Analysis(int32 level);
	// Asks the target what its row shows, for a node made without asking (a window's or
	// a view's; nothing for the other kinds).
	virtual	AnalysisTask	Introduce();
	// Appends this node's specifier chain, innermost first, to message.
	virtual	void			AddAccess(BMessage* message);
	// The same, for callers that only read the node: its own specifiers, then its
	// parent's chain.
			void			AppendAccess(BMessage* message) const;
	// Makes request (its what kept, its fields replaced) ask this target for property
	// (its direct specifier), or, with NULL, for what the command asks of the target
	// itself: the same bytes as adding the property's specifier and then AddAccess.
			void			MakeRequest(BMessage* request, const char* property);
	// Appends this node and its subtree, in pre-order, to list; nothing when the list is
	// not in a window or its window cannot be locked.
	virtual	void			AddToView(BOutlineListView* list);
	// Inserts this node and its subtree, in pre-order, into list from fullListIndex on;
	// the caller holds the list's window locked. Returns the index after the last row.
			int32			InsertIntoView(BOutlineListView* list, int32 fullListIndex);

	// The limits of the analysis that builds this node: its application's, or NULL for a
	// node made outside an application's tree.
	virtual	AnalysisBudget*	Budget();
	// Where the tree keeps its suites replies: its application's, or NULL for a node
	// made outside an application's tree.
	virtual	SuitesPool*		Pool();
	// The looper that the analysis runs on with requests in flight: its application's
	// while that analysis runs so, else NULL (one request at a time, on the calling
	// thread).
	virtual	AnalysisLooper*	Looper();
	// Where the analysis of this node writes its lines and failures: the log its parent
	// set, else its parent's, else the streams themselves.
			AnalysisLog*	Log() const;
			void			SetLog(AnalysisLog* log) { fLog = log; }
	// Sends request to the target through fMessenger and waits for its reply, within the
	// limits of Budget() (a request timeout alone without one).
			status_t		SendRequest(BMessage* request, BMessage* reply);

	// What co_await Ask(request, reply) returns: the status of the request, sent by
	// SendRequest, or with its reply to come to the Looper() when there is one.
	struct RequestAwaiter {
		ScriptingElement*	node;
		BMessage*			request;
		BMessage*			reply;
		status_t			status;

		bool				await_ready();
		bool				await_suspend(std::coroutine_handle<> awaiter);
		status_t			await_resume() const { return status; }
	};
			RequestAwaiter	Ask(BMessage* request, BMessage* reply)
								{ return { this, request, reply, B_OK }; }
	// Asks the target for its supported suites into fSuites: B_ERROR without a usable
	// messenger, otherwise the status of the send.
			status_t		FindSuites();
	// The first node of the subtree, in pre-order, whose internal or visible name is name.
			ScriptingElement* FindElement(const char* name);
	// The parent's visible name, else its internal name; "(no parent)" for a root.
			const char*		ParentName() const;

	// The children that the analysis kept, in their order.
			int32			CountChildren() const;
			const ScriptingElement* ChildAt(int32 index) const;
	// Records the request (its command word and specifier phrase) on which the analysis of
	// this target failed, and the failure; the analysis went no further below the target.
			void			SetFailure(const BString& request, status_t status);
			const BString&	FailedRequest() const { return fFailedRequest; }
			status_t		Failure() const { return fFailure; }

	// The whole chain that addresses the target, made on the first call and kept: for
	// the few nodes a user looks at. Walks over the tree read GetSpecifier instead.
			const BMessage*	GetAccessPtr() const;
	// The node's own specifiers, innermost first, without its parent's chain.
			const BMessage*	GetSpecifier() const { return &fAccess; }
			const BMessage*	GetSuites() const { return fSuites.get(); }
			const BString&	GetInternalName() const { return fInternalName; }
			const BString&	GetName() const { return fName; }
			int32			GetIndex() const { return fIndex; }
			void			SetMessenger(BMessenger* messenger)
								{ fMessenger = messenger; }
			BMessenger*		GetMessenger() const { return fMessenger; }
			bool			IsScriptable() const { return fScriptable; }
	// Where a window or view was when analysed: its "Frame" (a window's on the screen, a
	// view's in its parent) and "Hidden". The frame is invalid when it was not read.
			void			SetPlace(BRect frame, bool hidden)
								{ fFrame = frame; fHidden = hidden; }
			BRect			Frame() const { return fFrame; }
			bool			IsHidden() const { return fHidden; }

protected:
	// FindSuites for a caller that has just found the messenger usable (asking whether
	// a messenger of another process is valid costs a system call): *status is that of
	// the request.
			AnalysisTask	AskSuites(status_t* status);
	// Keeps reply as this node's suites, shared with every node of the tree that got
	// the same reply.
			void			SetSuites(const BMessage& reply);
	// While the subtree below this node is analysed, its requests are copied from its
	// whole chain kept with a placeholder in front for the asked property; the chain is
	// let go once the subtree is done.
			void			KeepRequestChain();
			void			ReleaseRequestChain() { fRequestChain.reset(); }

			bool			fScriptable;
			BString			fInternalName;
			BString			fName;
			int32			fIndex;
	// Shared by the nodes whose suites replies are the same (most are: they come from
	// a few classes).
			std::shared_ptr<const BMessage> fSuites;
	// The node's own part of the chain: none for an application, one specifier for a
	// window or a view; the parent's chain follows it.
			BMessage		fAccess;
			std::unique_ptr<BMessage> fRequestChain;
	mutable	std::unique_ptr<BMessage> fWholeAccess;
			BMessenger*		fMessenger;
			int32			fLevel;
			BList*			fChildren;
			ScriptingElement* fParent;
	// The top of the tree, which keeps what all of it shares (budget, pool, crew): asked
	// for every request, so not looked for up a hundred levels each time.
			ScriptingElement* fRoot;
	// Set while sibling subtrees are analysed side by side, NULL otherwise.
			AnalysisLog*	fLog;
			BString			fFailedRequest;
			status_t		fFailure;
			BRect			fFrame;
			bool			fHidden;
};

#endif // SCRIPTING_ELEMENT_H
