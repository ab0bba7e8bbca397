// What the widgets' scripting suites share: finding which row of a property table the
// current specifier of a request names. The replies come from app/ScriptingReplies.h,
// which this header brings along.
#ifndef _WIDGET_SCRIPTING_H
#define _WIDGET_SCRIPTING_H

#include <Message.h>
#include <PropertyInfo.h>

#include "app/ScriptingReplies.h"

namespace BPrivate {

// The row of properties that the message's current specifier and command match; -1 for
// a message that is no scripting request or that no row matches.
int32 match_property(BMessage* message, const property_info* properties);


} // namespace BPrivate

#endif // _WIDGET_SCRIPTING_H
