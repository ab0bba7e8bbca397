// watch_node and stop_watching: the public face of the process's NodeWatcher.
#include <NodeMonitor.h>

#include <Handler.h>
#include <Looper.h>

#include "NodeWatcher.h"

using BPrivate::NodeWatcher;


status_t
watch_node(const node_ref* node, uint32 flags, BMessenger target)
{
	return NodeWatcher::Default().Watch(node, flags, target);
}


status_t
watch_node(const node_ref* node, uint32 flags, const BHandler* handler,
	const BLooper* looper)
{
	status_t status;
	BMessenger target(handler, looper, &status);
	if (status != B_OK)
		return status;
	return watch_node(node, flags, target);
}


status_t
stop_watching(BMessenger target)
{
	return NodeWatcher::Default().StopWatching(target);
}


status_t
stop_watching(const BHandler* handler, const BLooper* looper)
{
	status_t status;
	BMessenger target(handler, looper, &status);
	if (status != B_OK)
		return status;
	return stop_watching(target);
}
