// get_system_info: what it says about the machine and about this process.
#include <OS.h>

#include <gtest/gtest.h>

#include "TestRuntime.h"


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


TEST(SystemInfo, CountsTheUsersPorts)
{
	TestRuntime runtime;
	port_id port = create_port(1, "counted");
	ASSERT_GT(port, 0);
	system_info info;
	ASSERT_EQ(get_system_info(&info), B_OK);
	EXPECT_GT(info.max_ports, 0);
	EXPECT_GE(info.used_ports, 1);
	EXPECT_LE(info.used_ports, info.max_ports);

	delete_port(port);
	system_info after;
	ASSERT_EQ(get_system_info(&after), B_OK);
	EXPECT_EQ(after.used_ports, info.used_ports - 1);
}
