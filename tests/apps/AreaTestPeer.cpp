// Another team for the tests of areas:
//
//	AreaTestPeer create <name> <text>	makes an area holding text, prints its id, and
//										stays until stopped (at most 30 s)
//	AreaTestPeer clone <id> <text>		clones the area, prints what it holds, writes text
//										there and ends
#include <OS.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

int
main(int argc, char** argv)
{
	if (argc == 4 && strcmp(argv[1], "create") == 0) {
		void* address = NULL;
		area_id area = create_area(argv[2], &address, B_ANY_ADDRESS, B_PAGE_SIZE,
			B_NO_LOCK, B_READ_AREA | B_WRITE_AREA);
		if (area < 0)
			return 1;
		strcpy((char*)address, argv[3]);
		printf("%d\n", (int)area);
		fflush(stdout);
		sleep(30);
		return 0;
	}
	if (argc == 4 && strcmp(argv[1], "clone") == 0) {
		void* address = NULL;
		area_id area = clone_area("peer clone", &address, B_ANY_ADDRESS,
			B_READ_AREA | B_WRITE_AREA, (area_id)atoi(argv[2]));
		if (area < 0) {
			printf("error %d\n", (int)area);
			return 1;
		}
		printf("%s\n", (const char*)address);
		strcpy((char*)address, argv[3]);
		return 0;
	}
	fprintf(stderr, "usage: AreaTestPeer create <name> <text> | clone <id> <text>\n");
	return 2;
}
