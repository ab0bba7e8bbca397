#include "TargetFrame.h"

#include <AppDefs.h>

#include "OwnThread.h"
#include "PropertyValues.h"


BRect
ScreenFrameOf(const std::vector<BRect>& frames)
{
	if (frames.empty())
		return BRect();
	BPoint origin(0, 0);
	for (size_t i = 0; i + 1 < frames.size(); i++)
		origin += frames[i].LeftTop();
	return frames.back().OffsetByCopy(origin);
}


TargetFrameFetch::TargetFrameFetch(const BMessenger& target, const BMessage& access,
	const BMessenger& receiver, int32 fetch)
	:
	fTarget(target),
	fAccess(access),
	fReceiver(receiver),
	fFetch(fetch)
{
}


thread_id
TargetFrameFetch::Start()
{
	return start_own_thread<&TargetFrameFetch::_Fetch>(this, "target frame");
}


void
TargetFrameFetch::_Fetch()
{
	std::vector<BMessage> chain;
	BMessage specifier;
	for (int32 i = 0; fAccess.FindMessage("specifiers", i, &specifier) == B_OK; i++)
		chain.push_back(specifier);

	// From the window in: the frame of each target the chain's tail addresses.
	std::vector<BRect> frames;
	for (size_t first = chain.size(); first-- > 0;) {
		BMessage request(B_GET_PROPERTY);
		request.AddSpecifier("Frame");
		for (size_t i = first; i < chain.size(); i++)
			request.AddSpecifier(&chain[i]);
		BMessage reply;
		BRect frame;
		if (fTarget.SendMessage(&request, &reply, kValueRequestTimeout,
				kValueRequestTimeout) != B_OK
			|| reply.FindRect("result", &frame) != B_OK || !frame.IsValid()) {
			frames.clear();
			break;
		}
		frames.push_back(frame);
	}

	BMessage answer(kMsgTargetFrame);
	answer.AddInt32("fetch", fFetch);
	answer.AddInt32("thread", find_thread(NULL));
	if (!frames.empty())
		answer.AddRect("frame", ScreenFrameOf(frames));
	fReceiver.SendMessage(&answer);
}
