// The process's end of the kit's socket protocol (docs/socket-protocol.md).
//
// A process that listens (every application, and the registrar) has one AF_UNIX socket
// in the runtime directory and an I/O thread that accepts connections, reads the
// messages that arrive on them and queues each on the port it names; the main looper,
// and every looper that replies come to, read the connections whose messages go to them
// themselves while they have nothing to do (ConnectionReader). Sending uses
// connections this process opened: asynchronous sends share one per target team, and
// synchronous sends another, on which the threads waiting for replies take turns to
// read and hand each other their replies, so that several requests are in flight at
// once and a peer that dies or hangs up ends every wait at once.
#ifndef _LINK_HUB_H
#define _LINK_HUB_H

#include <Message.h>

#include "app/LinkFrame.h"

#include <string>

namespace BPrivate {

namespace LinkHub {

// Listens on path, starting the I/O thread the first time; B_OK when it listens there
// already, B_BUSY while it listens elsewhere.
status_t Listen(const std::string& path);
// Listens on this team's socket unless the process listens already: replies to its
// asynchronous messages come there. Without an application, the I/O thread reads them.
status_t ListenForReplies();
// Removes the socket of Listen; for the end of the process.
void StopListening();

// Called on the I/O thread for every accepted connection that closes (the registrar
// learns of applications that ended this way), and for SIGTERM/SIGINT.
void SetConnectionClosedHook(void (*hook)(uint64 connection));
void SetQuitSignalHook(void (*hook)());
// The main looper has begun to answer a quit request. A quit signal's request that no
// main looper takes within kQuitSignalGrace (it has not begun to run, or it hangs) ends
// the process by the signal, as if it had no handler.
void QuitRequestTaken();

status_t Send(team_id team, const MessageHead& head, const BMessage& message,
	bigtime_t timeout);
status_t SendAndWait(team_id team, const MessageHead& head, const BMessage& message,
	BMessage* reply, bigtime_t sendTimeout, bigtime_t replyTimeout);
// Whether the team has a socket that accepts connections.
bool IsReachable(team_id team);

} // namespace LinkHub

} // namespace BPrivate

#endif // _LINK_HUB_H
