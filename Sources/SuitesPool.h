// The suites replies of one tree, each distinct reply kept once. Every target of a class
// answers the same suites with the same property tables: a tree of ten thousand views
// holds a handful of distinct replies, which its nodes share.
//
// A pool belongs to one tree and is shared by the threads that build it; the replies it
// hands out stay valid as long as a node holds them, pool or not.
#ifndef SUITES_POOL_H
#define SUITES_POOL_H

#include <Message.h>

#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>

class SuitesPool {
public:
	// A reply of the same content as reply (its what and fields, byte for byte):
	// the one kept already, or a copy kept from now on.
			std::shared_ptr<const BMessage> Share(const BMessage& reply);

	// A copy of reply for a node outside any tree.
	static	std::shared_ptr<const BMessage> Own(const BMessage& reply);

private:
			std::mutex		fLock;
	// By the flattened bytes of the reply.
			std::unordered_map<std::string, std::shared_ptr<const BMessage>> fReplies;
};

#endif // SUITES_POOL_H
