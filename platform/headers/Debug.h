// Debugging aids. With DEBUG defined to a non-zero value before this header is included,
// ASSERT checks its condition and stops in debugger() when it fails, and PRINT, TRACE,
// SPRINT and PRINT_OBJECT print to standard output while debugging output is enabled
// (SET_DEBUG_ENABLED; on at start). Without it they compile to nothing, and their
// arguments are not evaluated. SERIAL_PRINT always prints: there is no serial port, so
// it writes to standard error.
#ifndef _DEBUG_H
#define _DEBUG_H

#include <OS.h>
#include <SupportDefs.h>

#include <stdio.h>

#ifdef __cplusplus
extern "C" {
#endif

extern bool _rtDebugFlag;

bool _debugFlag(void);
bool _setDebugFlag(bool flag);
int _debugPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));
int _sPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));
int _xdebugPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));
int _debuggerAssert(const char* file, int line, const char* message);

#ifdef __cplusplus
}
#endif

#if defined(DEBUG) && DEBUG != 0
	#define SET_DEBUG_ENABLED(flag)	_setDebugFlag(flag)
	#define IS_DEBUG_ENABLED()		_debugFlag()
	#define SERIAL_PRINT(args)		_sPrintf args
	#define PRINT(args)				do { if (_rtDebugFlag) _debugPrintf args; } while (0)
	#define PRINT_OBJECT(obj)		do { if (_rtDebugFlag) { \
										_debugPrintf("%s\t", #obj); \
										(obj).PrintToStream(); } } while (0)
	#define TRACE()					_debugPrintf("%s:%d: %s\n", __FILE__, __LINE__, \
										__PRETTY_FUNCTION__)
	#define SERIAL_TRACE()			_sPrintf("%s:%d: %s\n", __FILE__, __LINE__, \
										__PRETTY_FUNCTION__)
	#define DEBUGGER(message)		debugger(message)
	#define ASSERT(e)				(!(e) ? _debuggerAssert(__FILE__, __LINE__, #e) : 0)
	#define ASSERT_WITH_MESSAGE(e, message) \
									(!(e) ? _debuggerAssert(__FILE__, __LINE__, message) : 0)
	#define SPRINT(args)			SERIAL_PRINT(args)
#else
	#define SET_DEBUG_ENABLED(flag)	(void)0
	#define IS_DEBUG_ENABLED()		false
	#define SERIAL_PRINT(args)		_sPrintf args
	#define PRINT(args)				(void)0
	#define PRINT_OBJECT(obj)		(void)0
	#define TRACE()					(void)0
	#define SERIAL_TRACE()			(void)0
	#define DEBUGGER(message)		(void)0
	#define ASSERT(e)				(void)0
	#define ASSERT_WITH_MESSAGE(e, message) (void)0
	#define SPRINT(args)			(void)0
#endif

#define STATIC_ASSERT(e)			static_assert(e, #e)

#endif // _DEBUG_H
