#include "app/TokenSpace.h"

#include <mutex>
#include <unordered_map>

namespace BPrivate {

namespace {

// The tables outlive static destruction: other threads may still use them while
// the process exits.
std::mutex stLock;
std::unordered_map<int32, BHandler*>& stHandlers = *new std::unordered_map<int32, BHandler*>;
int32 stNextToken = 1;

} // namespace


int32
new_handler_token(BHandler* handler)
{
	std::lock_guard<std::mutex> lock(stLock);
	int32 token = stNextToken++;
	stHandlers[token] = handler;
	return token;
}


void
remove_handler_token(int32 token)
{
	std::lock_guard<std::mutex> lock(stLock);
	stHandlers.erase(token);
}


BHandler*
handler_for_token(int32 token)
{
	std::lock_guard<std::mutex> lock(stLock);
	auto it = stHandlers.find(token);
	return it == stHandlers.end() ? nullptr : it->second;
}

} // namespace BPrivate
