// The pulse rate an archive gives an application or a window ("_pulse", int64
// microseconds), checked: an archive comes from anywhere and must not make its object busy.
#ifndef _ARCHIVED_PULSE_RATE_H
#define _ARCHIVED_PULSE_RATE_H

#include <Message.h>

#include <algorithm>

namespace BPrivate {

// The shortest pulse an archive may ask for; 0 (no pulses) stays 0.
const bigtime_t kMinArchivedPulseRate = 10000;

// False (rate untouched) when the field is missing or negative.
inline bool
find_archived_pulse_rate(const BMessage* archive, bigtime_t* rate)
{
	int64 found;
	if (archive == NULL || archive->FindInt64("_pulse", &found) != B_OK || found < 0)
		return false;
	*rate = found == 0 ? 0 : std::max((bigtime_t)found, kMinArchivedPulseRate);
	return true;
}

} // namespace BPrivate

#endif // _ARCHIVED_PULSE_RATE_H
