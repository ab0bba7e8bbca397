// The exit statuses of the command-line modes (--json, --send).
#ifndef EXIT_STATUS_H
#define EXIT_STATUS_H

enum {
	// Everything asked for was found and answered.
	kExitSuccess = 0,
	// Something was not found, did not answer, or answered with an error.
	kExitFailure = 1,
	// The command line could not be read; nothing was sent.
	kExitUsage = 2
};

#endif // EXIT_STATUS_H
