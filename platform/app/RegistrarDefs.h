// The requests that applications send the registrar (docs/registrar-protocol.md). Each
// is sent synchronously to the registrar's main port and answered with B_REPLY and
// "error", or as the request says.
#ifndef _REGISTRAR_DEFS_H
#define _REGISTRAR_DEFS_H

#include <SupportDefs.h>

namespace BPrivate {

enum {
	// "signature", "team", "thread", "port", "flags", "ref": registers the sender. The
	// answer to a single-launch signature already running is B_ALREADY_RUNNING with
	// "team" and "port" of the running instance. With "rejoin" (bool) true, an
	// application that ran before this registrar started registers again: no launch
	// notice, and no single-launch check.
	kRegisterApp		= 'rgAD',
	// "team": forgets the application (it quits).
	kUnregisterApp		= 'rgRM',
	// Answer: "team" (int32), one per application, in launch order.
	kGetAppList			= 'rgLS',
	// "team" or "signature"; answer: the record's fields as kRegisterApp names them.
	kGetAppInfo			= 'rgIN',
	// "target" (messenger, of the sender's own team), "events" (B_REQUEST_* mask). With
	// "rejoin" (bool) true, the watcher also hears of the launches this registrar has
	// seen before it joined.
	kStartWatching		= 'rgWA',
	// "target" (of the sender's own team).
	kStopWatching		= 'rgWS',
	// "team" (the sender's own), sent without waiting for an answer: a window of the
	// application has just become active. The registrar tells the application that was
	// active before and this one B_APP_ACTIVATED.
	kAppActivated		= 'rgAC',
	// Answer: the record of the active application, as kGetAppInfo; B_ERROR when none is.
	kGetActiveApp		= 'rgAA',
	// Inside the registrar, accepted only from itself: "connection" (uint64) was closed;
	// the process of "team" (int32) has ended.
	kConnectionClosed	= 'rgCL',
	kTeamEnded			= 'rgTE'
};

} // namespace BPrivate

#endif // _REGISTRAR_DEFS_H
