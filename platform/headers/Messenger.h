// The address of a handler or looper, in this process or in another application, and the
// way to send it messages. A messenger is a small value: copying it is cheap, and it
// stays usable (or turns invalid) without the target's cooperation.
#ifndef _MESSENGER_H
#define _MESSENGER_H

#include <Message.h>
#include <OS.h>

class BHandler;
class BLooper;
class BMessage;

class BMessenger {
public:
	BMessenger();
	// An application by signature: with team -1 the first running instance; a NULL
	// signature with a team names that team's application.
	BMessenger(const char* signature, team_id team = -1, status_t* result = NULL);
	// A local handler (with its looper) or, with handler NULL, the looper's preferred
	// handler.
	BMessenger(const BHandler* handler, const BLooper* looper = NULL,
		status_t* result = NULL);
	BMessenger(const BMessenger& other);
	~BMessenger();

	BMessenger& operator=(const BMessenger& other);
	bool operator==(const BMessenger& other) const;
	bool operator!=(const BMessenger& other) const { return !(*this == other); }
	bool operator<(const BMessenger& other) const;

	bool IsTargetLocal() const;
	// The local target; looper receives its looper. NULL for a remote target.
	BHandler* Target(BLooper** looper) const;
	bool LockTarget() const;
	status_t LockTargetWithTimeout(bigtime_t timeout) const;

	// Asynchronous: replies go to replyTo (or be_app).
	status_t SendMessage(uint32 command, BHandler* replyTo = NULL) const;
	status_t SendMessage(BMessage* message, BHandler* replyTo = NULL,
		bigtime_t timeout = B_INFINITE_TIMEOUT) const;
	status_t SendMessage(BMessage* message, BMessenger replyTo,
		bigtime_t timeout = B_INFINITE_TIMEOUT) const;
	// Synchronous: waits for the reply, which replaces *reply. B_OK once a reply came,
	// whatever it holds (B_NO_REPLY when the target dropped the message unanswered); an
	// error at once when the target process dies or closes its connection.
	status_t SendMessage(uint32 command, BMessage* reply) const;
	status_t SendMessage(BMessage* message, BMessage* reply,
		bigtime_t deliveryTimeout = B_INFINITE_TIMEOUT,
		bigtime_t replyTimeout = B_INFINITE_TIMEOUT) const;

	status_t SetTo(const char* signature, team_id team = -1);
	status_t SetTo(const BHandler* handler, const BLooper* looper = NULL);
	bool IsValid() const;
	team_id Team() const;

	class Private;

private:
	friend class Private;

	void _SetTo(team_id team, port_id port, int32 token);

	port_id fPort;
	int32 fHandlerToken;
	team_id fTeam;
};

#endif // _MESSENGER_H
