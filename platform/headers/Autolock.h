// Locks a BLocker for the lifetime of the object, when it can be locked.
#ifndef _AUTOLOCK_H
#define _AUTOLOCK_H

#include <Locker.h>

class BAutolock {
public:
	explicit BAutolock(BLocker* locker) : fLocker(locker), fIsLocked(locker->Lock()) {}
	explicit BAutolock(BLocker& locker) : fLocker(&locker), fIsLocked(locker.Lock()) {}
	~BAutolock() { Unlock(); }

	bool IsLocked() const { return fIsLocked; }
	void Unlock()
	{
		if (fIsLocked) {
			fIsLocked = false;
			fLocker->Unlock();
		}
	}

private:
	BAutolock(const BAutolock&) = delete;
	BAutolock& operator=(const BAutolock&) = delete;

	BLocker* fLocker;
	bool fIsLocked;
};

#endif // _AUTOLOCK_H
