#include <Archivable.h>

#include <Message.h>

#include <gtest/gtest.h>

namespace {

class Archived : public BArchivable {
public:
	status_t Archive(BMessage* into, bool deep) const override
	{
		status_t status = BArchivable::Archive(into, deep);
		return status == B_OK ? into->AddInt32("value", 7) : status;
	}
};

} // namespace


TEST(ArchivableTest, ArchivesNameTheMostDerivedClass)
{
	Archived object;
	BMessage archive;
	ASSERT_EQ(object.Archive(&archive, true), B_OK);
	const char* name;
	ASSERT_EQ(archive.FindString("class", &name), B_OK);
	EXPECT_STREQ(name, "(anonymous namespace)::Archived");
	EXPECT_TRUE(validate_instantiation(&archive, "(anonymous namespace)::Archived"));
	EXPECT_FALSE(validate_instantiation(&archive, "BView"));
	EXPECT_FALSE(validate_instantiation(NULL, "BView"));
	EXPECT_EQ(object.BArchivable::Archive(NULL, true), B_BAD_VALUE);
}
