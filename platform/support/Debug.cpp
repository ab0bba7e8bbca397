// The functions behind Debug.h, and debugger().
#include <Debug.h>

#include <signal.h>
#include <stdarg.h>
#include <stdlib.h>
#include <string.h>

#include <atomic>

namespace {

// Whether a debugger traces this process (the TracerPid line of /proc/self/status).
bool
is_traced()
{
	FILE* status = fopen("/proc/self/status", "re");
	if (status == NULL)
		return false;
	char line[256];
	long tracer = 0;
	while (fgets(line, sizeof(line), status) != NULL) {
		if (strncmp(line, "TracerPid:", 10) == 0) {
			tracer = strtol(line + 10, NULL, 10);
			break;
		}
	}
	fclose(status);
	return tracer != 0;
}


int
print_to(FILE* stream, const char* format, va_list arguments)
{
	int written = vfprintf(stream, format, arguments);
	fflush(stream);
	return written;
}

} // namespace


bool _rtDebugFlag = true;


bool
_debugFlag(void)
{
	return _rtDebugFlag;
}


bool
_setDebugFlag(bool flag)
{
	bool previous = _rtDebugFlag;
	_rtDebugFlag = flag;
	return previous;
}


int
_debugPrintf(const char* format, ...)
{
	va_list arguments;
	va_start(arguments, format);
	int written = print_to(stdout, format, arguments);
	va_end(arguments);
	return written;
}


int
_sPrintf(const char* format, ...)
{
	va_list arguments;
	va_start(arguments, format);
	int written = print_to(stderr, format, arguments);
	va_end(arguments);
	return written;
}


int
_xdebugPrintf(const char* format, ...)
{
	va_list arguments;
	va_start(arguments, format);
	int written = print_to(stderr, format, arguments);
	va_end(arguments);
	return written;
}


int
_debuggerAssert(const char* file, int line, const char* message)
{
	char text[1024];
	snprintf(text, sizeof(text), "Assert failed: %s:%d: %s", file, line, message);
	debugger(text);
	return 0;
}


// Whether debugger() stops into an attached debugger (0) or ends the team regardless (1).
static std::atomic<int> stDebuggerDisabled{0};


int
disable_debugger(int state)
{
	return stDebuggerDisabled.exchange(state != 0 ? 1 : 0);
}


void
debugger(const char* message)
{
	fprintf(stderr, "debugger(): %s\n", message != NULL ? message : "");
	fflush(stderr);
	if (stDebuggerDisabled.load() == 0 && is_traced())
		raise(SIGTRAP);
	else
		abort();
}
