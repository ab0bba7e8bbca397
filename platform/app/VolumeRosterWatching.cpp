// The part of BVolumeRoster that sends messages: watching mounts through the node
// monitor, which lives in this kit.
#include <VolumeRoster.h>

#include <NodeMonitor.h>


BVolumeRoster::~BVolumeRoster()
{
	StopWatching();
}


status_t
BVolumeRoster::StartWatching(BMessenger messenger)
{
	if (!messenger.IsValid())
		return B_BAD_VALUE;
	StopWatching();
	status_t status = watch_node(NULL, B_WATCH_MOUNT, messenger);
	if (status == B_OK)
		fTarget = messenger;
	return status;
}


void
BVolumeRoster::StopWatching()
{
	if (!fTarget.IsValid())
		return;
	watch_node(NULL, B_STOP_WATCHING, fTarget);
	fTarget = BMessenger();
}


BMessenger
BVolumeRoster::Messenger() const
{
	return fTarget;
}
