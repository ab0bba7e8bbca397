// getusername (<netdb.h>) gives the name of the user the process runs as, cut to fit.
#include <gtest/gtest.h>

#include <netdb.h>

#include <pwd.h>
#include <string.h>
#include <unistd.h>

#include <string>


TEST(UserName, IsTheEffectiveUsersName)
{
	struct passwd* record = getpwuid(geteuid());
	if (record == NULL)
		GTEST_SKIP() << "this user has no name in the password database";
	char name[256];
	int length = getusername(name, sizeof(name));
	EXPECT_EQ(std::string(name), record->pw_name);
	EXPECT_EQ(length, (int)strlen(record->pw_name));
}


TEST(UserName, IsCutToTheBufferAndTerminated)
{
	struct passwd* record = getpwuid(geteuid());
	if (record == NULL || strlen(record->pw_name) < 2)
		GTEST_SKIP() << "needs a name of two characters or more";
	char name[2] = { 'x', 'x' };
	EXPECT_EQ(getusername(name, sizeof(name)), 1);
	EXPECT_EQ(name[0], record->pw_name[0]);
	EXPECT_EQ(name[1], '\0');
	EXPECT_EQ(getusername(name, 0), 0);
	EXPECT_EQ(getusername(NULL, 10), 0);
}


TEST(UserName, HostNamesFitMaxHostNameLength)
{
	char host[MAXHOSTNAMELEN + 1];
	ASSERT_EQ(gethostname(host, sizeof(host)), 0);
	EXPECT_LE(strlen(host), (size_t)MAXHOSTNAMELEN);
}
