// ClassInfo.h: names and checks of an object's dynamic class.
#include <ClassInfo.h>
#include <Handler.h>
#include <Looper.h>

#include <gtest/gtest.h>

namespace {

class Derived : public BHandler {
};

} // namespace


TEST(ClassInfo, NamesAndChecksTheDynamicClass)
{
	Derived derived;
	BHandler* handler = &derived;
	EXPECT_STREQ(class_name(handler), "(anonymous namespace)::Derived");
	BHandler plain;
	EXPECT_STREQ(class_name(&plain), "BHandler");
	// The same name, twice, is the same pointer: callers may keep it.
	EXPECT_EQ(class_name(&plain), class_name(&plain));

	EXPECT_EQ(cast_as(handler, Derived), &derived);
	EXPECT_EQ(cast_as(handler, BLooper), nullptr);
	EXPECT_TRUE(is_kind_of(handler, BHandler));
	EXPECT_TRUE(is_kind_of(handler, Derived));
	EXPECT_FALSE(is_kind_of(handler, BLooper));
	EXPECT_TRUE(is_instance_of(handler, Derived));
	EXPECT_FALSE(is_instance_of(handler, BHandler));
}
