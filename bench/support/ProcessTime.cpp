#include "ProcessTime.h"

#include <stdio.h>
#include <string.h>
#include <unistd.h>

#include <string>


double
cpu_milliseconds(pid_t process)
{
	std::string path = "/proc/" + std::to_string(process) + "/stat";
	FILE* file = fopen(path.c_str(), "r");
	if (file == NULL)
		return 0;
	char buffer[1024];
	size_t length = fread(buffer, 1, sizeof(buffer) - 1, file);
	fclose(file);
	buffer[length] = '\0';
	// The fields after the command name, which ends with the last ')'.
	const char* fields = strrchr(buffer, ')');
	unsigned long user = 0;
	unsigned long system = 0;
	if (fields == NULL || sscanf(fields + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u "
			"%lu %lu", &user, &system) != 2)
		return 0;
	return (user + system) * 1000.0 / sysconf(_SC_CLK_TCK);
}
