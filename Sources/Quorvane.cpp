#include <stdio.h>
#include <string.h>

#include "QuorvaneApp.h"


static void
PrintUsage()
{
	printf("Usage: Quorvane [APPLICATION]...\n"
		"Explore the scripting interfaces of running applications.\n"
		"\n"
		"Each APPLICATION names a running application by its file name or its signature;\n"
		"without one, every running application is explored. The analysis is logged to\n"
		"standard output and its failures to standard error; launched applications are\n"
		"explored as they start.\n"
		"\n"
		"      --help     display this help and exit\n"
		"      --version  output version information and exit\n");
}


int
main(int argc, char** argv)
{
	for (int i = 1; i < argc; i++) {
		if (strcmp(argv[i], "--help") == 0) {
			PrintUsage();
			return 0;
		}
		if (strcmp(argv[i], "--version") == 0) {
			printf("Quorvane %s\n", kQuorvaneVersion);
			return 0;
		}
	}

	// The analysis is a log: each line reaches a pipe or file as it is printed.
	setvbuf(stdout, NULL, _IOLBF, 0);

	QuorvaneApp* app = new QuorvaneApp(kQuorvaneSignature);
	app->Run();
	delete app;
	return 0;
}
