#include <StopWatch.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>


BStopWatch::BStopWatch(const char* name, bool silent)
	:
	fName(strdup(name != NULL ? name : "")),
	fSilent(silent)
{
	Reset();
}


BStopWatch::~BStopWatch()
{
	if (!fSilent) {
		printf("StopWatch \"%s\": %" B_PRId64 " usecs.\n", fName, ElapsedTime());
		for (int32 i = 1; i <= fLap && i < kMaxLaps; i++) {
			printf("    lap %" B_PRId32 ": %" B_PRId64 " usecs (%" B_PRId64 " usecs)\n", i,
				fLaps[i] - fStart, fLaps[i] - fLaps[i - 1]);
		}
		fflush(stdout);
	}
	free(fName);
}


void
BStopWatch::Suspend()
{
	if (fSuspendTime == 0)
		fSuspendTime = system_time();
}


void
BStopWatch::Resume()
{
	if (fSuspendTime == 0)
		return;
	// Moving the start forward leaves the pause out of every later reading.
	bigtime_t paused = system_time() - fSuspendTime;
	fStart += paused;
	for (int32 i = 0; i <= fLap && i < kMaxLaps; i++)
		fLaps[i] += paused;
	fSuspendTime = 0;
}


bigtime_t
BStopWatch::Lap()
{
	bigtime_t now = fSuspendTime != 0 ? fSuspendTime : system_time();
	fLap++;
	if (fLap < kMaxLaps)
		fLaps[fLap] = now;
	return now - fStart;
}


bigtime_t
BStopWatch::ElapsedTime() const
{
	bigtime_t now = fSuspendTime != 0 ? fSuspendTime : system_time();
	return now - fStart;
}


void
BStopWatch::Reset()
{
	fStart = system_time();
	fSuspendTime = 0;
	fLap = 0;
	memset(fLaps, 0, sizeof(fLaps));
	fLaps[0] = fStart;
}


const char*
BStopWatch::Name() const
{
	return fName;
}
