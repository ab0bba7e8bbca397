// The arguments of BControl's constructor that a control's archive holds, for the archive
// constructors of controls (BControl itself has none on the platform).
#ifndef _CONTROL_ARCHIVE_H
#define _CONTROL_ARCHIVE_H

#include <Message.h>
#include <Rect.h>

namespace BPrivate {

inline BRect
archived_frame(BMessage* archive)
{
	BRect frame(0, 0, 0, 0);
	archive->FindRect("_frame", &frame);
	return frame;
}


inline const char*
archived_name(BMessage* archive)
{
	const char* name = NULL;
	archive->FindString("_name", &name);
	return name;
}


// A copy of "_msg", which the control takes; NULL without one.
inline BMessage*
archived_message(BMessage* archive)
{
	BMessage message;
	return archive->FindMessage("_msg", &message) == B_OK ? new BMessage(message) : NULL;
}

} // namespace BPrivate

#endif // _CONTROL_ARCHIVE_H
