// SIGTERM and SIGINT reach the process that installed the handlers as events, and never
// through a forked child that has not exec'd yet.
#include "app/QuitSignals.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace BPrivate;


TEST(QuitSignalsTest, ASignalBecomesAnEventOfThisProcessOnly)
{
	int fd = quit_signals_install();
	ASSERT_GE(fd, 0);
	quit_signals_drain(fd);

	raise(SIGTERM);
	EXPECT_TRUE(quit_signals_drain(fd));
	EXPECT_FALSE(quit_signals_drain(fd));

	// A child that gets the signal between fork and exec ends by it, as it would after
	// exec, and the parent hears nothing.
	for (int signal : { SIGTERM, SIGINT }) {
		pid_t child = fork();
		if (child == 0) {
			raise(signal);
			_exit(0);
		}
		ASSERT_GT(child, 0);
		int status;
		ASSERT_EQ(waitpid(child, &status, 0), child);
		ASSERT_TRUE(WIFSIGNALED(status)) << status;
		EXPECT_EQ(WTERMSIG(status), signal);
		EXPECT_FALSE(quit_signals_drain(fd));
	}
}
