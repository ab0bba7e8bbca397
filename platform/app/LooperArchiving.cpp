// A looper's archive: what BHandler keeps (its name) plus the priority its thread runs at
// ("_prio") and its port's capacity ("_port_cap"), as the platform archives them
// (docs/archiving-loopers.md).
#include <Looper.h>

#include <Message.h>

#include "app/Port.h"

namespace {

// The largest port capacity an archive may ask for: an archive may come from anywhere.
const int32 kMaxArchivedPortCapacity = 10000;


const char*
archived_name(BMessage* archive)
{
	const char* name = NULL;
	if (archive != NULL)
		archive->FindString("_name", &name);
	return name;
}


int32
archived_priority(BMessage* archive)
{
	int32 priority;
	if (archive == NULL || archive->FindInt32("_prio", &priority) != B_OK)
		return B_NORMAL_PRIORITY;
	if (priority < B_LOWEST_ACTIVE_PRIORITY)
		return B_LOWEST_ACTIVE_PRIORITY;
	return priority > B_REAL_TIME_PRIORITY ? B_REAL_TIME_PRIORITY : priority;
}


int32
archived_port_capacity(BMessage* archive)
{
	int32 capacity;
	if (archive == NULL || archive->FindInt32("_port_cap", &capacity) != B_OK
		|| capacity <= 0)
		return B_LOOPER_PORT_DEFAULT_CAPACITY;
	return capacity > kMaxArchivedPortCapacity ? kMaxArchivedPortCapacity : capacity;
}

} // namespace


BLooper::BLooper(BMessage* archive)
	:
	BLooper(archived_name(archive), archived_priority(archive),
		archived_port_capacity(archive))
{
}


BArchivable*
BLooper::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BLooper"))
		return NULL;
	return new BLooper(archive);
}


status_t
BLooper::Archive(BMessage* into, bool deep) const
{
	status_t status = BHandler::Archive(into, deep);
	if (status != B_OK)
		return status;
	// A running looper's thread may have been given another priority since Run.
	int32 priority = fInitPriority;
	thread_info info;
	if (fThread >= 0 && get_thread_info(fThread, &info) == B_OK)
		priority = info.priority;
	status = into->AddInt32("_prio", priority);
	if (status == B_OK)
		status = into->AddInt32("_port_cap", fPort->Capacity());
	return status;
}
