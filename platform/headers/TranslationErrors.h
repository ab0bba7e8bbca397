// The errors of the Translation Kit.
#ifndef _TRANSLATION_ERRORS_H
#define _TRANSLATION_ERRORS_H

#include <Errors.h>

enum {
	// No translator takes this data, or none makes the wanted type of it.
	B_NO_TRANSLATOR = B_TRANSLATION_ERROR_BASE,
	// The data claim a format but break its rules (a bad header, a short file).
	B_ILLEGAL_DATA
};

// B_NOT_INITIALIZED, for a roster or stream used before it was set up, is <Errors.h>'s
// name for B_NO_INIT.

#endif // _TRANSLATION_ERRORS_H
