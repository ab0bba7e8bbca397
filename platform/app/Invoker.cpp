// BInvoker: a message and the messenger it goes to.
#include <Invoker.h>

#include <AppDefs.h>
#include <Handler.h>
#include <Looper.h>
#include <Message.h>


BInvoker::BInvoker()
	:
	fMessage(NULL),
	fReplyTo(NULL),
	fTimeout(B_INFINITE_TIMEOUT),
	fNotifyKind(0),
	fNotifying(false)
{
}


BInvoker::BInvoker(BMessage* message, const BHandler* handler, const BLooper* looper)
	:
	BInvoker()
{
	fMessage = message;
	SetTarget(handler, looper);
}


BInvoker::BInvoker(BMessage* message, BMessenger target)
	:
	BInvoker()
{
	fMessage = message;
	fMessenger = target;
}


BInvoker::~BInvoker()
{
	delete fMessage;
}


status_t
BInvoker::SetMessage(BMessage* message)
{
	if (message != fMessage)
		delete fMessage;
	fMessage = message;
	return B_OK;
}


uint32
BInvoker::Command() const
{
	return fMessage != NULL ? fMessage->what : 0;
}


status_t
BInvoker::SetTarget(const BHandler* handler, const BLooper* looper)
{
	fMessenger = BMessenger();
	if (handler == NULL && looper == NULL)
		return B_OK;
	status_t status = B_OK;
	fMessenger = BMessenger(handler, looper, &status);
	return status;
}


status_t
BInvoker::SetTarget(BMessenger messenger)
{
	fMessenger = messenger;
	return B_OK;
}


bool
BInvoker::IsTargetLocal() const
{
	return fMessenger.IsTargetLocal();
}


BHandler*
BInvoker::Target(BLooper** looper) const
{
	return fMessenger.Target(looper);
}


BMessenger
BInvoker::Messenger() const
{
	return fMessenger;
}


status_t
BInvoker::SetHandlerForReply(BHandler* handler)
{
	fReplyTo = handler;
	return B_OK;
}


status_t
BInvoker::Invoke(BMessage* message)
{
	if (message == NULL)
		message = fMessage;
	if (message == NULL)
		return B_BAD_VALUE;
	return fMessenger.SendMessage(message, fReplyTo, fTimeout);
}


status_t
BInvoker::InvokeNotify(BMessage* message, uint32 kind)
{
	if (fNotifying)
		return B_WOULD_BLOCK;
	BeginInvokeNotify(kind);
	status_t status = Invoke(message);
	EndInvokeNotify();
	return status;
}


status_t
BInvoker::SetTimeout(bigtime_t timeout)
{
	fTimeout = timeout;
	return B_OK;
}


uint32
BInvoker::InvokeKind(bool* notify)
{
	if (notify != NULL)
		*notify = fNotifying;
	return fNotifying ? fNotifyKind : (uint32)B_CONTROL_INVOKED;
}


void
BInvoker::BeginInvokeNotify(uint32 kind)
{
	fNotifyKind = kind;
	fNotifying = true;
}


void
BInvoker::EndInvokeNotify()
{
	fNotifying = false;
}
