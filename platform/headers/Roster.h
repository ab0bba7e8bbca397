// The roster: what applications are running, and notices of their launches and quits.
// It asks the registrar, the kit's daemon that every application registers with.
#ifndef _ROSTER_H
#define _ROSTER_H

#include <Entry.h>
#include <Messenger.h>
#include <Mime.h>
#include <OS.h>

class BList;

#ifndef B_MIME_TYPE_LENGTH
#define B_MIME_TYPE_LENGTH	(B_FILE_NAME_LENGTH - 15)
#endif

// Launch flags of an application.
#define B_SINGLE_LAUNCH			(0x0)
#define B_MULTIPLE_LAUNCH		(0x1)
#define B_EXCLUSIVE_LAUNCH		(0x2)
#define B_LAUNCH_MASK			(0x3)
#define B_BACKGROUND_APP		(0x4)
#define B_ARGV_ONLY				(0x8)
#define _B_APP_INFO_RESERVED1_	(0x10000000)

// What StartWatching asks to hear of.
enum {
	B_REQUEST_LAUNCHED	= 0x00000001,
	B_REQUEST_QUIT		= 0x00000002,
	B_REQUEST_ACTIVATED	= 0x00000004
};

struct app_info {
	app_info();
	~app_info();

	thread_id	thread;
	team_id		team;
	port_id		port;
	uint32		flags;
	entry_ref	ref;
	char		signature[B_MIME_TYPE_LENGTH];
};

class BRoster {
public:
	BRoster();
	~BRoster();

	bool IsRunning(const char* signature) const;
	team_id TeamFor(const char* signature) const;
	// The teams of all running applications (as (void*)team), in launch order.
	void GetAppList(BList* teams) const;
	void GetAppList(const char* signature, BList* teams) const;
	// The first running instance of signature.
	status_t GetAppInfo(const char* signature, app_info* info) const;
	status_t GetRunningAppInfo(team_id team, app_info* info) const;
	// The application whose window became active last (as the applications tell the
	// registrar); B_ERROR when none has an active window.
	status_t GetActiveAppInfo(app_info* info) const;
	// Asks the application to bring its front window (the one active last, else its
	// first) forward and give it the focus; B_BAD_TEAM_ID when team is not a running
	// application. Returns once the application has the request, not once it is done.
	status_t ActivateApp(team_id team) const;
	// The executable of the application of signature, as its running instance
	// registered it; B_LAUNCH_FAILED_APP_NOT_FOUND when none runs (the kit keeps no
	// record of applications that are not running).
	status_t FindApp(const char* signature, entry_ref* app) const;

	// The registrar sends target B_SOME_APP_LAUNCHED and B_SOME_APP_QUIT with
	// "be:signature", "be:team", "be:thread", "be:flags" and "be:ref".
	status_t StartWatching(BMessenger target,
		uint32 eventMask = B_REQUEST_LAUNCHED | B_REQUEST_QUIT) const;
	status_t StopWatching(BMessenger target) const;

	// Sends a copy of message to every other running application, each given at most
	// kBroadcastTimeout to take it; replies go to replyTo (be_app_messenger by default).
	// B_OK once every application was tried.
	status_t Broadcast(BMessage* message) const;
	status_t Broadcast(BMessage* message, BMessenger replyTo) const;

	// Recently used documents, folders and applications, most recent first, as entry_refs
	// in refList's "refs" (at most maxCount; entries that no longer exist are left out).
	// Documents and folders are what applications add; applications are those Launch
	// started. A fileType or signature narrows the list to documents of that type (or
	// supertype) or used by that application; NULL takes all.
	void GetRecentDocuments(BMessage* refList, int32 maxCount, const char* fileType = NULL,
		const char* signature = NULL) const;
	void GetRecentDocuments(BMessage* refList, int32 maxCount, const char* fileTypes[],
		int32 fileTypesCount, const char* signature = NULL) const;
	void GetRecentFolders(BMessage* refList, int32 maxCount,
		const char* signature = NULL) const;
	void GetRecentApps(BMessage* refList, int32 maxCount) const;
	// signature NULL: this application's.
	void AddToRecentDocuments(const entry_ref* document, const char* signature = NULL) const;
	void AddToRecentFolders(const entry_ref* folder, const char* signature = NULL) const;

	// Starts the application of mimeType (an application's signature, or a type whose
	// preferred application is used) or of ref (an executable, or a document for its
	// type's preferred application, which then receives B_REFS_RECEIVED). A single or
	// exclusive launch application that runs already gets the messages (or arguments)
	// instead: B_ALREADY_RUNNING, with *appTeam its team. Messages reach a new process
	// once it has registered (kLaunchRegisterTimeout), after its ReadyToRun; arguments
	// reach it as its argv. The kit finds an application that is not running only by its
	// executable (ref): the roster knows the signatures of running ones.
	status_t Launch(const char* mimeType, BMessage* initialMessage = NULL,
		team_id* appTeam = NULL) const;
	status_t Launch(const char* mimeType, BList* messageList,
		team_id* appTeam = NULL) const;
	status_t Launch(const char* mimeType, int argc, const char* const* args,
		team_id* appTeam = NULL) const;
	status_t Launch(const entry_ref* ref, const BMessage* initialMessage = NULL,
		team_id* appTeam = NULL) const;
	status_t Launch(const entry_ref* ref, const BList* messageList,
		team_id* appTeam = NULL) const;
	status_t Launch(const entry_ref* ref, int argc, const char* const* args,
		team_id* appTeam = NULL) const;

	class Private;

private:
	BRoster(const BRoster&) = delete;
	BRoster& operator=(const BRoster&) = delete;
};

extern const BRoster* be_roster;

#endif // _ROSTER_H
