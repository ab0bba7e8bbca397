// What a FaultTargetApp says of the scripting requests it has had, asked with 'rqct'.
#ifndef _FAULT_TARGET_COUNTS_H
#define _FAULT_TARGET_COUNTS_H

#include <SupportDefs.h>

struct FaultTargetCounts {
	// The requests answered, and those kept unanswered (in the modes that keep them).
	int64	answered = -1;
	int64	held = -1;
	// The flattened sizes of the requests answered and of their replies, summed.
	int64	requestBytes = -1;
	int64	replyBytes = -1;
};

// Asks the application of that signature (waiting at most kWaitTimeout each way); every
// count is -1 when it did not answer.
FaultTargetCounts fault_target_counts(const char* signature);

#endif // _FAULT_TARGET_COUNTS_H
