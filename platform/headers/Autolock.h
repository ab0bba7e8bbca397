// Locks a BLocker, or a BLooper, for the lifetime of the object, when it can be locked.
#ifndef _AUTOLOCK_H
#define _AUTOLOCK_H

#include <Locker.h>
#include <Looper.h>

class BAutolock {
public:
	explicit BAutolock(BLocker* locker)
		: fLocker(locker), fLooper(NULL), fIsLocked(locker->Lock()) {}
	explicit BAutolock(BLocker& locker)
		: fLocker(&locker), fLooper(NULL), fIsLocked(locker.Lock()) {}
	// A NULL looper is never locked.
	explicit BAutolock(BLooper* looper)
		: fLocker(NULL), fLooper(looper), fIsLocked(looper != NULL && looper->Lock()) {}
	~BAutolock() { Unlock(); }

	bool IsLocked() const { return fIsLocked; }
	void Unlock()
	{
		if (!fIsLocked)
			return;
		fIsLocked = false;
		if (fLooper != NULL)
			fLooper->Unlock();
		else
			fLocker->Unlock();
	}

private:
	BAutolock(const BAutolock&) = delete;
	BAutolock& operator=(const BAutolock&) = delete;

	BLocker* fLocker;
	BLooper* fLooper;
	bool fIsLocked;
};

#endif // _AUTOLOCK_H
