#include <MessageQueue.h>

#include <Autolock.h>


BMessageQueue::BMessageQueue()
	:
	fLock("message queue")
{
}


BMessageQueue::~BMessageQueue()
{
	BAutolock lock(fLock);
	for (int32 i = 0; i < fMessages.CountItems(); i++)
		delete static_cast<BMessage*>(fMessages.ItemAt(i));
}


void
BMessageQueue::AddMessage(BMessage* message)
{
	if (message == NULL)
		return;
	BAutolock lock(fLock);
	fMessages.AddItem(message);
}


void
BMessageQueue::RemoveMessage(BMessage* message)
{
	BAutolock lock(fLock);
	fMessages.RemoveItem(message);
}


int32
BMessageQueue::CountMessages() const
{
	BAutolock lock(fLock);
	return fMessages.CountItems();
}


bool
BMessageQueue::IsEmpty() const
{
	return CountMessages() == 0;
}


BMessage*
BMessageQueue::FindMessage(int32 index) const
{
	BAutolock lock(fLock);
	return static_cast<BMessage*>(fMessages.ItemAt(index));
}


BMessage*
BMessageQueue::FindMessage(uint32 what, int32 index) const
{
	BAutolock lock(fLock);
	for (int32 i = 0; i < fMessages.CountItems(); i++) {
		BMessage* message = static_cast<BMessage*>(fMessages.ItemAt(i));
		if (message->what == what && index-- == 0)
			return message;
	}
	return NULL;
}


bool
BMessageQueue::Lock()
{
	return fLock.Lock();
}


void
BMessageQueue::Unlock()
{
	fLock.Unlock();
}


bool
BMessageQueue::IsLocked() const
{
	return fLock.IsLocked();
}


BMessage*
BMessageQueue::NextMessage()
{
	BAutolock lock(fLock);
	return static_cast<BMessage*>(fMessages.RemoveItem((int32)0));
}
