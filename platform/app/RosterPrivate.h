// The roster's side of the registrar protocol, for BApplication and the kit.
#ifndef _ROSTER_PRIVATE_H
#define _ROSTER_PRIVATE_H

#include <Roster.h>

class BMessage;

namespace BPrivate {

// Sent by BRoster::ActivateApp to an application, which hands it on to its front window:
// the window asks the display for the focus.
const uint32 kActivateApp = '_AAP';

} // namespace BPrivate

class BRoster::Private {
public:
	// Registers this process; starts the registrar when none runs. B_ALREADY_RUNNING with
	// *running filled when a single-launch instance of the signature runs already.
	static status_t	AddApplication(const app_info& info, app_info* running);
	static status_t	RemoveApplication(team_id team);
	// Sends a request to the registrar and waits for its answer: the status of the
	// exchange, else the answer's "error". B_NO_INIT at once while no registrar is there.
	static status_t	Request(BMessage& request, BMessage* reply);
	// Starts the registrar daemon: beside this executable, else on PATH, else where the
	// build put it. Returns once a registrar listens (or gives up).
	static status_t	LaunchRegistrar();
	// Whether message is a roster notice (B_SOME_APP_*) that another process than the
	// registrar sent; loopers drop those.
	static bool		IsForgedNotice(const BMessage* message);
	// A window of this application (the looper of port windowPort) has just become
	// active: the registrar hears of it without being waited for, and the window is the
	// one ActivateApp brings forward from now on.
	static void		WindowActivated(port_id windowPort);
	// The port of the window that was active last, or -1.
	static port_id	FrontWindowPort();
};

#endif // _ROSTER_PRIVATE_H
