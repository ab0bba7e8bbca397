// getusername (<netdb.h>): the name of the user the process runs as, from the password
// database.
#include <netdb.h>

#include <pwd.h>
#include <string.h>
#include <unistd.h>

#include <vector>


extern "C" int
getusername(char* name, size_t length)
{
	if (name == NULL || length == 0)
		return 0;
	long suggested = sysconf(_SC_GETPW_R_SIZE_MAX);
	std::vector<char> buffer(suggested > 0 ? (size_t)suggested : 16384);
	struct passwd record;
	struct passwd* found = NULL;
	if (getpwuid_r(geteuid(), &record, buffer.data(), buffer.size(), &found) != 0
		|| found == NULL || found->pw_name == NULL) {
		name[0] = '\0';
		return 0;
	}
	size_t copied = strnlen(found->pw_name, length - 1);
	memcpy(name, found->pw_name, copied);
	name[copied] = '\0';
	return (int)copied;
}
