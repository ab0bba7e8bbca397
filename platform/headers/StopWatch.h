// Measures the time between its construction and its destruction, with laps and pauses.
// Unless silent, the destructor prints the elapsed time (and each lap) to standard output:
//   StopWatch "name": 1234 usecs.
#ifndef _STOP_WATCH_H
#define _STOP_WATCH_H

#include <OS.h>
#include <SupportDefs.h>

class BStopWatch {
public:
							BStopWatch(const char* name, bool silent = false);
	virtual					~BStopWatch();

			void			Suspend();
			void			Resume();
	// Records a lap and returns the time elapsed so far; at most kMaxLaps are kept, later
	// laps are timed but not recorded.
			bigtime_t		Lap();
			bigtime_t		ElapsedTime() const;
			void			Reset();
			const char*		Name() const;

	static	const int32		kMaxLaps = 10;

private:
							BStopWatch(const BStopWatch&);
			BStopWatch&		operator=(const BStopWatch&);

			bigtime_t		fStart;
			bigtime_t		fSuspendTime;
			bigtime_t		fLaps[kMaxLaps];
			int32			fLap;
			char*			fName;
			bool			fSilent;
};

#endif // _STOP_WATCH_H
