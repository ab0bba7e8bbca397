// Where a target is on the screen, asked on a thread of its own so that the window never
// waits for the target: the "Frame" of its window (on the screen) and the "Frame" of each
// view down to it (each in its parent's coordinates), added up. Each request waits at
// most kValueRequestTimeout. The answer is posted to the receiver as kMsgTargetFrame with
// "fetch" (as given), "thread" and, when every frame came, "frame" (a BRect on the screen).
#ifndef TARGET_FRAME_H
#define TARGET_FRAME_H

#include <Message.h>
#include <Messenger.h>
#include <OS.h>
#include <Rect.h>

#include <vector>

enum {
	kMsgTargetFrame = 'TFrm'
};

// The screen rectangle of a target from the frames along its chain, outermost first: the
// window's frame on the screen, then each view's frame in its parent.
BRect ScreenFrameOf(const std::vector<BRect>& frames);

class TargetFrameFetch {
public:
	// access is the target's specifier chain, innermost first; it names a window or a
	// view in one.
							TargetFrameFetch(const BMessenger& target,
								const BMessage& access, const BMessenger& receiver,
								int32 fetch);

	// Starts the fetch on a thread; the fetch then belongs to the thread. Returns the
	// thread, or an error (the fetch is deleted then).
			thread_id		Start();

private:
			void			_Fetch();

			BMessenger		fTarget;
			BMessage		fAccess;
			BMessenger		fReceiver;
			int32			fFetch;
};

#endif // TARGET_FRAME_H
