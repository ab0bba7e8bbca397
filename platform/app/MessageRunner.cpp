#include <MessageRunner.h>

#include <Application.h>

#include "app/RunnerSchedule.h"

using BPrivate::RunnerSchedule;


BMessageRunner::BMessageRunner(BMessenger target, const BMessage* message,
	bigtime_t interval, int32 count)
{
	_Start(target, message, interval, count, be_app_messenger);
}


BMessageRunner::BMessageRunner(BMessenger target, const BMessage* message,
	bigtime_t interval, int32 count, BMessenger replyTo)
{
	_Start(target, message, interval, count, replyTo);
}


BMessageRunner::~BMessageRunner()
{
	if (fToken >= 0)
		RunnerSchedule::Default()->Remove(fToken);
}


void
BMessageRunner::_Start(BMessenger target, const BMessage* message, bigtime_t interval,
	int32 count, BMessenger replyTo)
{
	fToken = -1;
	if (message == NULL || interval <= 0 || count == 0) {
		fInitStatus = B_BAD_VALUE;
		return;
	}
	fToken = RunnerSchedule::Default()->Add(target, *message, interval, count, replyTo);
	fInitStatus = B_OK;
}


status_t
BMessageRunner::InitCheck() const
{
	return fInitStatus;
}


status_t
BMessageRunner::SetInterval(bigtime_t interval)
{
	if (fToken < 0 || interval <= 0)
		return B_BAD_VALUE;
	return RunnerSchedule::Default()->SetInterval(fToken, interval);
}


status_t
BMessageRunner::SetCount(int32 count)
{
	if (fToken < 0)
		return B_BAD_VALUE;
	return RunnerSchedule::Default()->SetCount(fToken, count);
}


status_t
BMessageRunner::GetInfo(bigtime_t* interval, int32* count) const
{
	if (fToken < 0)
		return B_BAD_VALUE;
	return RunnerSchedule::Default()->Get(fToken, interval, count);
}
