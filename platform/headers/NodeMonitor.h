// Watching nodes: a watched node's changes come to a messenger as B_NODE_MONITOR
// messages whose "opcode" says what happened (docs/node-monitor.md). On Linux the
// kit watches through inotify and the mount table.
#ifndef _NODE_MONITOR_H
#define _NODE_MONITOR_H

#include <Messenger.h>
#include <Node.h>
#include <StorageDefs.h>

class BHandler;
class BLooper;

// What watch_node watches; B_STOP_WATCHING ends a node's watch for a target.
enum {
	B_STOP_WATCHING		= 0x0000,
	B_WATCH_NAME		= 0x0001,
	B_WATCH_STAT		= 0x0002,
	B_WATCH_ATTR		= 0x0004,
	B_WATCH_DIRECTORY	= 0x0008,
	B_WATCH_ALL			= 0x000f,
	B_WATCH_MOUNT		= 0x0010
};

// The "opcode" of a B_NODE_MONITOR message.
#define B_ENTRY_CREATED		1
#define B_ENTRY_REMOVED		2
#define B_ENTRY_MOVED		3
#define B_STAT_CHANGED		4
#define B_ATTR_CHANGED		5
#define B_DEVICE_MOUNTED	6
#define B_DEVICE_UNMOUNTED	7

// The "cause" of a B_ATTR_CHANGED message: created, removed, or B_ATTR_CHANGED for
// new data.
#define B_ATTR_CREATED		1
#define B_ATTR_REMOVED		2

// Watches node (which may be NULL for B_WATCH_MOUNT alone) for target. Watching a
// node again for the same target replaces its flags. B_ENTRY_NOT_FOUND for a node
// this process never named (through a BEntry, BNode or entry_ref) or that is gone.
status_t watch_node(const node_ref* node, uint32 flags, BMessenger target);
status_t watch_node(const node_ref* node, uint32 flags, const BHandler* handler,
	const BLooper* looper = NULL);

// Ends every watch of target.
status_t stop_watching(BMessenger target);
status_t stop_watching(const BHandler* handler, const BLooper* looper = NULL);

#endif // _NODE_MONITOR_H
