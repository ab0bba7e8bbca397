// strerror() for the platform's status codes. libbe exports it, so it stands in for the C
// library's in every process of the kit; codes it does not know go to the C library.
#include <Errors.h>

#include <stdio.h>
#include <string.h>

namespace {

struct ErrorText {
	int code;
	const char* text;
};

const ErrorText kErrorTexts[] = {
	{ B_OK, "No error" },
	{ B_ERROR, "General system error" },
	{ B_NO_MEMORY, "Out of memory" },
	{ B_IO_ERROR, "I/O error" },
	{ B_PERMISSION_DENIED, "Permission denied" },
	{ B_BAD_INDEX, "Index not in range for the data set" },
	{ B_BAD_TYPE, "Bad argument type passed to function" },
	{ B_BAD_VALUE, "Invalid argument" },
	{ B_MISMATCHED_VALUES, "Mismatched values passed to function" },
	{ B_NAME_NOT_FOUND, "Name not found" },
	{ B_NAME_IN_USE, "Name in use" },
	{ B_TIMED_OUT, "Operation timed out" },
	{ B_INTERRUPTED, "Interrupted system call" },
	{ B_WOULD_BLOCK, "Operation would block" },
	{ B_CANCELED, "Operation canceled" },
	{ B_NO_INIT, "Initialization failed" },
	{ B_BUSY, "Device/File/Resource busy" },
	{ B_NOT_ALLOWED, "Operation not allowed" },
	{ B_BAD_DATA, "Bad data" },
	{ B_DONT_DO_THAT, "No, don't do that" },

	{ B_BAD_SEM_ID, "Bad semaphore ID" },
	{ B_NO_MORE_SEMS, "No more semaphores" },
	{ B_BAD_THREAD_ID, "Bad thread ID" },
	{ B_NO_MORE_THREADS, "No more threads" },
	{ B_BAD_THREAD_STATE, "Thread is inappropriate state" },
	{ B_BAD_TEAM_ID, "Operation on invalid team" },
	{ B_NO_MORE_TEAMS, "No more teams" },
	{ B_BAD_PORT_ID, "Bad port ID" },
	{ B_NO_MORE_PORTS, "No more ports available" },
	{ B_BAD_IMAGE_ID, "Bad image ID" },
	{ B_BAD_ADDRESS, "Bad address" },
	{ B_NOT_AN_EXECUTABLE, "Not an executable" },
	{ B_MISSING_LIBRARY, "Missing library" },
	{ B_MISSING_SYMBOL, "Symbol not found" },

	{ B_BAD_REPLY, "Attempted to send a reply that is not a reply" },
	{ B_DUPLICATE_REPLY, "Attempted to reply to a message twice" },
	{ B_MESSAGE_TO_SELF, "Can't send message to self" },
	{ B_BAD_HANDLER, "Bad handler" },
	{ B_ALREADY_RUNNING, "Already running" },
	{ B_LAUNCH_FAILED, "Launch failed" },
	{ B_AMBIGUOUS_APP_LAUNCH, "Ambiguous app launch" },
	{ B_UNKNOWN_MIME_TYPE, "Unknown MIME type" },
	{ B_BAD_SCRIPT_SYNTAX, "Bad script syntax" },
	{ B_LAUNCH_FAILED_NO_RESOLVE_LINK, "Could not resolve a link" },
	{ B_LAUNCH_FAILED_EXECUTABLE, "File is mistakenly marked as executable" },
	{ B_LAUNCH_FAILED_APP_NOT_FOUND, "Application could not be found" },
	{ B_LAUNCH_FAILED_APP_IN_TRASH, "The application is in the trash" },
	{ B_LAUNCH_FAILED_NO_PREFERRED_APP, "There is no preferred application for this type of file" },
	{ B_LAUNCH_FAILED_FILES_APP_NOT_FOUND, "This file has a preferred app, but it could not be found" },
	{ B_BAD_MIME_SNIFFER_RULE, "Bad sniffer rule" },
	{ B_NOT_A_MESSAGE, "Data does not describe a message" },
	{ B_SHUTDOWN_CANCELLED, "System shutdown cancelled" },
	{ B_SHUTTING_DOWN, "System shutting down" },

	{ B_FILE_ERROR, "File error" },
	{ B_FILE_NOT_FOUND, "File not found" },
	{ B_FILE_EXISTS, "File exists" },
	{ B_ENTRY_NOT_FOUND, "No such file or directory" },
	{ B_NAME_TOO_LONG, "File or directory name too long" },
	{ B_NOT_A_DIRECTORY, "Not a directory" },
	{ B_DIRECTORY_NOT_EMPTY, "Directory not empty" },
	{ B_DEVICE_FULL, "No space left on device" },
	{ B_READ_ONLY_DEVICE, "Read-only file system" },
	{ B_IS_A_DIRECTORY, "Is a directory" },
	{ B_NO_MORE_FDS, "Too many open files" },
	{ B_CROSS_DEVICE_LINK, "Cross-device link" },
	{ B_LINK_LIMIT, "Too many symbolic links" },
	{ B_BUSTED_PIPE, "Broken pipe" },
	{ B_UNSUPPORTED, "Operation not supported" },
	{ B_PARTITION_TOO_SMALL, "Partition too small to contain filesystem" },

	{ B_BAD_COLOR_SPACE, "Bad color space" },
};

// Per thread, so that concurrent callers (analysis threads) never see each other's text.
thread_local char stUnknownText[64];

} // namespace

extern "C" __attribute__((visibility("default"))) char*
strerror(int error) __THROW
{
	for (const ErrorText& entry : kErrorTexts) {
		if (entry.code == error)
			return const_cast<char*>(entry.text);
	}
	if (error > 0) {
		// The GNU strerror_r returns a static text or fills our buffer.
		return strerror_r(error, stUnknownText, sizeof(stUnknownText));
	}
	snprintf(stUnknownText, sizeof(stUnknownText), "Unknown error %d", error);
	return stUnknownText;
}
