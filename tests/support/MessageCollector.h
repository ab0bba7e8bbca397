// A looper of the test's process that keeps a copy of every message it receives, for
// tests of what the kit sends on its own (node monitor and query notices). It runs
// from construction and quits when the object goes.
#ifndef _MESSAGE_COLLECTOR_H
#define _MESSAGE_COLLECTOR_H

#include <Looper.h>
#include <Message.h>
#include <Messenger.h>

#include <functional>
#include <mutex>
#include <vector>

class MessageCollector {
public:
							MessageCollector();
							~MessageCollector();

	BMessenger				Messenger() const;
	BLooper*				Looper() const;

	// Copies of what came so far, in order.
	std::vector<BMessage>	Messages() const;
	// Waits (at most kWaitTimeout) for a message that matches; a copy of it, or a
	// message with what 0 when none came.
	BMessage				WaitFor(const std::function<bool(const BMessage&)>& match) const;
	// Waits for a message of what whose "opcode" is opcode.
	BMessage				WaitForOpcode(uint32 what, int32 opcode) const;
	void					Clear();

private:
	class Receiver;

							MessageCollector(const MessageCollector&) = delete;
	MessageCollector&		operator=(const MessageCollector&) = delete;

	Receiver*				fLooper;
	mutable std::mutex		fLock;
	std::vector<BMessage>	fMessages;
};

#endif // _MESSAGE_COLLECTOR_H
