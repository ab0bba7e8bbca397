#include <Archivable.h>
#include <Handler.h>

#include <Message.h>

#include <gtest/gtest.h>

#include <errno.h>

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


TEST(ArchivableTest, InstantiateObjectFindsTheClassByName)
{
	// The kit's classes are found in libbe's exported symbols.
	BHandler handler("archived");
	BMessage archive;
	ASSERT_EQ(handler.Archive(&archive), B_OK);
	image_id image = 0;
	BArchivable* copy = instantiate_object(&archive, &image);
	ASSERT_NE(copy, nullptr);
	BHandler* rebuilt = dynamic_cast<BHandler*>(copy);
	ASSERT_NE(rebuilt, nullptr);
	EXPECT_STREQ(rebuilt->Name(), "archived");
	EXPECT_EQ(image, -1);
	delete copy;
	EXPECT_EQ(find_instantiation_func("BHandler"), &BHandler::Instantiate);
	EXPECT_EQ(find_instantiation_func(&archive), &BHandler::Instantiate);
}


TEST(ArchivableTest, InstantiateObjectRefusesUnknownAndMalformedClasses)
{
	BMessage archive;
	archive.AddString("class", "NoSuchClassAnywhere");
	errno = 0;
	EXPECT_EQ(instantiate_object(&archive), nullptr);
	EXPECT_EQ(errno, B_BAD_VALUE);
	EXPECT_EQ(instantiate_object(NULL), nullptr);
	EXPECT_EQ(find_instantiation_func("Bad Name"), nullptr);
	EXPECT_EQ(find_instantiation_func("Outer::"), nullptr);
	EXPECT_EQ(find_instantiation_func("::Inner"), nullptr);
	EXPECT_EQ(find_instantiation_func((const char*)NULL), nullptr);
}
