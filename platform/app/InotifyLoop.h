// One inotify instance and the thread that reads it: the node monitor and live queries
// each own one. Hooks run on the loop's thread.
#ifndef _INOTIFY_LOOP_PRIVATE_H
#define _INOTIFY_LOOP_PRIVATE_H

#include <SupportDefs.h>

#include <sys/inotify.h>

#include <functional>
#include <thread>
#include <vector>

namespace BPrivate {

// How long a batch that ends in the first half of a rename waits for the second.
const bigtime_t kRenamePairWait = 20000;

class InotifyLoop {
public:
	// Gets each batch of events read at once; returns true while it holds an
	// unpaired rename and wants to hear, within kRenamePairWait, whether more comes (an
	// empty batch says nothing did).
	typedef std::function<bool(const std::vector<const inotify_event*>&)> BatchHook;
	typedef std::function<void()> FileHook;

								InotifyLoop();
								~InotifyLoop();

	// fileToPoll, when not negative, is polled for POLLPRI (as the mount table is)
	// and fileHook runs when it fires.
			status_t			Start(BatchHook batchHook, int fileToPoll = -1,
									FileHook fileHook = FileHook());
	// Joins the thread; not from a hook.
			void				Stop();
			bool				IsRunning() const { return fThread.joinable(); }

	// A watch descriptor, or a negative status.
			int					AddWatch(const char* path, uint32 mask);
			void				RemoveWatch(int descriptor);

private:
								InotifyLoop(const InotifyLoop&) = delete;
			InotifyLoop&		operator=(const InotifyLoop&) = delete;

			void				_Run();

			int					fInotify;
			int					fWake;
			int					fFileToPoll;
			BatchHook			fBatchHook;
			FileHook			fFileHook;
			std::thread			fThread;
};

} // namespace BPrivate

#endif // _INOTIFY_LOOP_PRIVATE_H
