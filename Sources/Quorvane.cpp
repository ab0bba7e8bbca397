#include <Message.h>

#include <errno.h>
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "AnalysisBudget.h"
#include "ExitStatus.h"
#include "JsonMode.h"
#include "QuorvaneApp.h"
#include "SendCommand.h"

// The longest --timeout accepted, in seconds: longer than any analysis may take.
static const double kMaxTimeoutSeconds = 3600;


static void
PrintUsage()
{
	printf("Usage: Quorvane [APPLICATION]...\n"
		"  or:  Quorvane --json [--timeout SECONDS] [APPLICATION]...\n"
		"  or:  Quorvane --send APPLICATION COMMAND [SPECIFIER] [to VALUE] [--json]\n"
		"                [--timeout SECONDS]\n"
		"Explore the scripting interfaces of running applications.\n"
		"\n"
		"Each APPLICATION names a running application by its file name or its signature;\n"
		"without one, every running application is explored. The analysis is logged to\n"
		"standard output and its failures to standard error; launched applications are\n"
		"explored as they start.\n"
		"\n"
		"      --json     print the analysis as one JSON document, with no window, and exit;\n"
		"                 with --send, print the reply as JSON\n"
		"      --send     send one scripting message and print its reply; COMMAND is get,\n"
		"                 set, count, create, delete, execute or getsuites, SPECIFIER a phrase\n"
		"                 such as 'Label of View \"okButton\" of Window 0', VALUE a \"string\",\n"
		"                 a number, true, false, BPoint(x, y) or BRect(l, t, r, b)\n"
		"      --timeout  how long each request may wait, in seconds (default 3)\n"
		"      --help     display this help and exit\n"
		"      --version  output version information and exit\n"
		"\n"
		"Exit status of --json and --send: 0 when everything was found and answered,\n"
		"1 when something failed, 2 when the command line could not be read.\n");
}


static int
UsageError(const char* problem)
{
	fprintf(stderr, "Quorvane: %s\nTry 'Quorvane --help' for more information.\n", problem);
	return kExitUsage;
}


// Seconds, a positive decimal number, as microseconds.
static bool
ReadTimeout(const char* text, bigtime_t* timeout)
{
	char* end;
	errno = 0;
	double seconds = strtod(text, &end);
	if (errno != 0 || end == text || *end != '\0' || !isfinite(seconds) || seconds <= 0
		|| seconds > kMaxTimeoutSeconds)
		return false;
	*timeout = (bigtime_t)(seconds * 1000000);
	return *timeout > 0;
}


int
main(int argc, char** argv)
{
	bool json = false;
	bool send = false;
	bool timeoutGiven = false;
	bigtime_t timeout = kRequestTimeout;
	std::vector<const char*> operands;
	for (int i = 1; i < argc; i++) {
		if (strcmp(argv[i], "--help") == 0) {
			PrintUsage();
			return 0;
		}
		if (strcmp(argv[i], "--version") == 0) {
			printf("Quorvane %s\n", kQuorvaneVersion);
			return 0;
		}
		if (strcmp(argv[i], "--json") == 0)
			json = true;
		else if (strcmp(argv[i], "--send") == 0)
			send = true;
		else if (strcmp(argv[i], "--timeout") == 0) {
			if (i + 1 >= argc || !ReadTimeout(argv[i + 1], &timeout)) {
				fprintf(stderr, "Quorvane: --timeout needs a number of seconds above 0 and "
					"up to %.0f\n", kMaxTimeoutSeconds);
				return kExitUsage;
			}
			timeoutGiven = true;
			i++;
		} else
			operands.push_back(argv[i]);
	}

	if (send) {
		if (operands.size() < 2)
			return UsageError("--send needs an application and a command");
		std::vector<std::string> words(operands.begin() + 1, operands.end());
		BMessage request;
		BString problem;
		if (make_send_request(words, &request, &problem) != B_OK) {
			fprintf(stderr, "Quorvane: %s\n", problem.String());
			return kExitUsage;
		}
		return send_request(operands[0], &request, timeout, json);
	}
	if (json) {
		for (const char* operand : operands) {
			if (strncmp(operand, "--", 2) == 0) {
				BString problem;
				problem << "unknown option " << operand;
				return UsageError(problem.String());
			}
		}
		return run_json_mode(operands, kQuorvaneSignature, timeout);
	}
	if (timeoutGiven)
		return UsageError("--timeout goes with --json or --send");

	// The analysis is a log: each line reaches a pipe or file as it is printed.
	setvbuf(stdout, NULL, _IOLBF, 0);

	QuorvaneApp* app = new QuorvaneApp(kQuorvaneSignature);
	app->Run();
	delete app;
	return 0;
}
