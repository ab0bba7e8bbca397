// Tracing of the Network Kit: while enabled, Print writes a line and Dump a hex listing to
// standard error.
#ifndef _NET_DEBUG_H
#define _NET_DEBUG_H

#include <SupportDefs.h>

class BNetDebug {
public:
	static void			Enable(bool enable);
	static bool			IsEnabled();
	static void			Print(const char* message);
	static void			Dump(const char* data, size_t size, const char* title);
};

#endif // _NET_DEBUG_H
