// get_system_info: what it says about the machine and about this process.
#include <OS.h>

#include <gtest/gtest.h>


TEST(SystemInfo, DescribesTheMachine)
{
	system_info info;
	ASSERT_EQ(get_system_info(&info), B_OK);
	EXPECT_GE(info.cpu_count, 1);
	EXPECT_LE(info.cpu_count, B_MAX_CPU_COUNT);
	EXPECT_GT(info.max_pages, 0);
	EXPECT_LE(info.used_pages, info.max_pages);
	EXPECT_LE(info.boot_time, system_time());
	EXPECT_STREQ(info.kernel_name, "Linux");
	EXPECT_GT(info.kernel_version, 0);
	EXPECT_GE(info.used_threads, 1);

	sem_id sem = create_sem(0, "counted");
	system_info after;
	ASSERT_EQ(get_system_info(&after), B_OK);
	EXPECT_EQ(after.used_sems, info.used_sems + 1);
	delete_sem(sem);
}
