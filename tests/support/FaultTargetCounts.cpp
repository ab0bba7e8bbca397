#include "FaultTargetCounts.h"

#include <Message.h>
#include <Messenger.h>


FaultTargetCounts
fault_target_counts(const char* signature)
{
	FaultTargetCounts counts;
	BMessage request('rqct');
	BMessage reply;
	if (BMessenger(signature).SendMessage(&request, &reply, 5000000, 5000000) == B_OK) {
		reply.FindInt64("count", &counts.answered);
		reply.FindInt64("held", &counts.held);
	}
	return counts;
}
