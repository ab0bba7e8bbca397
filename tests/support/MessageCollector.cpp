#include "MessageCollector.h"

#include "WaitFor.h"

class MessageCollector::Receiver : public BLooper {
public:
	explicit Receiver(MessageCollector* owner)
		:
		BLooper("message collector"),
		fOwner(owner)
	{
	}

	void MessageReceived(BMessage* message) override
	{
		std::lock_guard<std::mutex> lock(fOwner->fLock);
		fOwner->fMessages.push_back(*message);
	}

private:
	MessageCollector* fOwner;
};


MessageCollector::MessageCollector()
	:
	fLooper(new Receiver(this))
{
	fLooper->Run();
}


MessageCollector::~MessageCollector()
{
	fLooper->Lock();
	fLooper->Quit();
}


BMessenger
MessageCollector::Messenger() const
{
	return BMessenger(fLooper);
}


BLooper*
MessageCollector::Looper() const
{
	return fLooper;
}


std::vector<BMessage>
MessageCollector::Messages() const
{
	std::lock_guard<std::mutex> lock(fLock);
	return fMessages;
}


BMessage
MessageCollector::WaitFor(const std::function<bool(const BMessage&)>& match) const
{
	BMessage found;
	wait_for([&]() {
		std::lock_guard<std::mutex> lock(fLock);
		for (const BMessage& message : fMessages) {
			if (match(message)) {
				found = message;
				return true;
			}
		}
		return false;
	});
	return found;
}


BMessage
MessageCollector::WaitForOpcode(uint32 what, int32 opcode) const
{
	return WaitFor([=](const BMessage& message) {
		int32 found;
		return message.what == what && message.FindInt32("opcode", &found) == B_OK
			&& found == opcode;
	});
}


void
MessageCollector::Clear()
{
	std::lock_guard<std::mutex> lock(fLock);
	fMessages.clear();
}
