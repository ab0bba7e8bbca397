#include "app/RunnerSchedule.h"

#include <algorithm>

namespace BPrivate {

namespace {

std::chrono::microseconds
Micros(bigtime_t value)
{
	return std::chrono::microseconds(value);
}

} // namespace


RunnerSchedule*
RunnerSchedule::Default()
{
	// Kept for the life of the process, as its thread is.
	static RunnerSchedule* stSchedule = new RunnerSchedule;
	return stSchedule;
}


RunnerSchedule::RunnerSchedule()
	:
	fNextToken(1),
	fSending(-1),
	fRunning(false)
{
}


int32
RunnerSchedule::Add(const BMessenger& target, const BMessage& message, bigtime_t interval,
	int32 count, const BMessenger& replyTo)
{
	std::lock_guard<std::mutex> locker(fLock);
	if (!fRunning) {
		std::thread thread(&RunnerSchedule::Loop, this);
		fThread = thread.get_id();
		thread.detach();
		fRunning = true;
	}
	interval = std::max(interval, kMinimumRunnerInterval);
	int32 token = fNextToken++;
	fRunners.emplace(token, Runner{target, message, replyTo, interval,
		count < 0 ? -1 : count, Clock::now() + Micros(interval)});
	fChanged.notify_all();
	return token;
}


void
RunnerSchedule::Remove(int32 token)
{
	std::unique_lock<std::mutex> locker(fLock);
	fRunners.erase(token);
	fChanged.notify_all();
	if (std::this_thread::get_id() != fThread)
		fDelivered.wait(locker, [&] { return fSending != token; });
}


status_t
RunnerSchedule::SetInterval(int32 token, bigtime_t interval)
{
	std::lock_guard<std::mutex> locker(fLock);
	auto found = fRunners.find(token);
	if (found == fRunners.end())
		return B_BAD_VALUE;
	return ChangeLocked(token, interval, found->second.remaining);
}


status_t
RunnerSchedule::SetCount(int32 token, int32 count)
{
	std::lock_guard<std::mutex> locker(fLock);
	auto found = fRunners.find(token);
	if (found == fRunners.end())
		return B_BAD_VALUE;
	return ChangeLocked(token, found->second.interval, count);
}


status_t
RunnerSchedule::ChangeLocked(int32 token, bigtime_t interval, int32 count)
{
	auto found = fRunners.find(token);
	if (count == 0) {
		fRunners.erase(found);
		return B_OK;
	}
	Runner& runner = found->second;
	runner.interval = std::max(interval, kMinimumRunnerInterval);
	runner.remaining = count < 0 ? -1 : count;
	runner.next = Clock::now() + Micros(runner.interval);
	fChanged.notify_all();
	return B_OK;
}


status_t
RunnerSchedule::Get(int32 token, bigtime_t* interval, int32* count)
{
	std::lock_guard<std::mutex> locker(fLock);
	auto found = fRunners.find(token);
	if (found == fRunners.end())
		return B_BAD_VALUE;
	if (interval != NULL)
		*interval = found->second.interval;
	if (count != NULL)
		*count = found->second.remaining;
	return B_OK;
}


void
RunnerSchedule::Loop()
{
	std::unique_lock<std::mutex> locker(fLock);
	for (;;) {
		auto due = std::min_element(fRunners.begin(), fRunners.end(),
			[](const auto& a, const auto& b) { return a.second.next < b.second.next; });
		if (due == fRunners.end()) {
			fChanged.wait(locker);
			continue;
		}
		Clock::time_point now = Clock::now();
		if (due->second.next > now) {
			// A copy of the time: the runner may be removed while this thread waits.
			Clock::time_point next = due->second.next;
			fChanged.wait_until(locker, next);
			continue;
		}

		int32 token = due->first;
		Runner& runner = due->second;
		BMessage copy(runner.message);
		BMessenger target = runner.target;
		BMessenger replyTo = runner.replyTo;
		// A late copy does not make the following ones bunch up to catch up.
		runner.next = std::max(runner.next + Micros(runner.interval), now);
		if (runner.remaining > 0 && --runner.remaining == 0)
			fRunners.erase(due);

		fSending = token;
		locker.unlock();
		target.SendMessage(&copy, replyTo, kRunnerDeliveryTimeout);
		locker.lock();
		fSending = -1;
		fDelivered.notify_all();
	}
}

} // namespace BPrivate
