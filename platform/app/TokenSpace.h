// Handler tokens: every BHandler gets a process-wide number by which messages (also from
// other processes) name their target handler.
#ifndef _TOKEN_SPACE_H
#define _TOKEN_SPACE_H

#include <SupportDefs.h>

class BHandler;

namespace BPrivate {

const int32 B_NULL_TOKEN = -1;
// The target's preferred handler (the looper itself when it has none).
const int32 B_PREFERRED_TOKEN = -2;

int32 new_handler_token(BHandler* handler);
void remove_handler_token(int32 token);
// The handler of a token, or NULL. Only the handler's looper may use it, with its lock.
BHandler* handler_for_token(int32 token);

} // namespace BPrivate

#endif // _TOKEN_SPACE_H
