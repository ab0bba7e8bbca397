#include "SuitesPool.h"


std::shared_ptr<const BMessage>
SuitesPool::Share(const BMessage& reply)
{
	std::string key(reply.FlattenedSize(), '\0');
	if (reply.Flatten(key.data(), key.size()) != B_OK)
		return Own(reply);
	std::lock_guard<std::mutex> lock(fLock);
	std::shared_ptr<const BMessage>& kept = fReplies[key];
	if (kept == nullptr)
		kept = Own(reply);
	return kept;
}


std::shared_ptr<const BMessage>
SuitesPool::Own(const BMessage& reply)
{
	// The copy leaves out what only the delivered reply knows (its sender), which
	// nothing reads from a node's suites.
	return std::make_shared<const BMessage>(reply);
}
