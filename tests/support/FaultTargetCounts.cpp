#include "FaultTargetCounts.h"

#include <Message.h>
#include <Messenger.h>

#include "WaitFor.h"


FaultTargetCounts
fault_target_counts(const char* signature)
{
	FaultTargetCounts counts;
	BMessage request('rqct');
	BMessage reply;
	if (BMessenger(signature).SendMessage(&request, &reply, kWaitTimeout, kWaitTimeout)
			== B_OK) {
		reply.FindInt64("count", &counts.answered);
		reply.FindInt64("held", &counts.held);
		reply.FindInt64("requestBytes", &counts.requestBytes);
		reply.FindInt64("replyBytes", &counts.replyBytes);
	}
	return counts;
}
