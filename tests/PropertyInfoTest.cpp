#include <PropertyInfo.h>

#include <AppDefs.h>
#include <Message.h>

#include <gtest/gtest.h>

#include <string.h>

#include <vector>

namespace {

property_info sWindowProperties[] = {
	{ "Frame", { B_GET_PROPERTY, B_SET_PROPERTY }, { B_DIRECT_SPECIFIER },
		"The window's frame", 7, { B_RECT_TYPE } },
	{ "View", {}, { B_INDEX_SPECIFIER, B_REVERSE_INDEX_SPECIFIER, B_NAME_SPECIFIER }, NULL },
	{ "View", { B_COUNT_PROPERTIES }, { B_DIRECT_SPECIFIER }, "", 0, { B_INT32_TYPE } },
	{ "Anything", {}, {}, NULL },
	{ "Pair", { B_GET_PROPERTY }, {}, NULL, 0, {},
		{ { { { "x", B_FLOAT_TYPE }, { "y", B_FLOAT_TYPE } } } } },
	{ NULL }
};

value_info sValues[] = {
	{ "Hide", 'hide', B_COMMAND_KIND, "Hides it" },
	{ "Five", 5, B_TYPE_CODE_KIND, NULL },
	{ NULL }
};


std::vector<uint8>
Flatten(const BPropertyInfo& info)
{
	std::vector<uint8> buffer(info.FlattenedSize());
	EXPECT_EQ(info.Flatten(buffer.data(), buffer.size()), B_OK);
	return buffer;
}

} // namespace


TEST(PropertyInfoTest, FindMatchFollowsCommandsAndSpecifierForms)
{
	BPropertyInfo info(sWindowProperties, sValues);
	EXPECT_EQ(info.CountProperties(), 5);
	EXPECT_EQ(info.CountValues(), 2);

	BMessage get(B_GET_PROPERTY);
	BMessage count(B_COUNT_PROPERTIES);
	BMessage remove(B_DELETE_PROPERTY);
	uint32 extra = 0;
	EXPECT_EQ(info.FindMatch(&get, 0, NULL, B_DIRECT_SPECIFIER, "Frame", &extra), 0);
	EXPECT_EQ(extra, 7u);
	EXPECT_EQ(info.FindMatch(&remove, 0, NULL, B_DIRECT_SPECIFIER, "Frame"), -1);
	EXPECT_EQ(info.FindMatch(&get, 0, NULL, B_INDEX_SPECIFIER, "Frame"), -1);
	EXPECT_EQ(info.FindMatch(&get, 0, NULL, B_DIRECT_SPECIFIER, "frame"), -1);
	// Commands count only for the last specifier (index 0); further out only a property
	// without commands matches.
	EXPECT_EQ(info.FindMatch(&get, 1, NULL, B_DIRECT_SPECIFIER, "Frame"), -1);
	EXPECT_EQ(info.FindMatch(&get, 1, NULL, B_INDEX_SPECIFIER, "View"), 1);
	EXPECT_EQ(info.FindMatch(&get, 0, NULL, B_NAME_SPECIFIER, "View"), 1);
	EXPECT_EQ(info.FindMatch(&count, 0, NULL, B_DIRECT_SPECIFIER, "View"), 2);
	EXPECT_EQ(info.FindMatch(&count, 0, NULL, B_ID_SPECIFIER, "View"), -1);
	// Empty lists accept any command and any form.
	EXPECT_EQ(info.FindMatch(&remove, 3, NULL, B_ID_SPECIFIER, "Anything"), 3);
	EXPECT_EQ(info.FindMatch(NULL, 0, NULL, B_DIRECT_SPECIFIER, "Frame"), -1);
	EXPECT_EQ(info.FindMatch(&get, 0, NULL, B_DIRECT_SPECIFIER, NULL), -1);
}


TEST(PropertyInfoTest, RoundTripKeepsTablesAndTheirTerminators)
{
	BPropertyInfo info(sWindowProperties, sValues);
	EXPECT_EQ(info.TypeCode(), (type_code)B_PROPERTY_INFO_TYPE);
	EXPECT_FALSE(info.IsFixedSize());
	EXPECT_TRUE(info.AllowsTypeCode(B_PROPERTY_INFO_TYPE));
	EXPECT_FALSE(info.AllowsTypeCode(B_RAW_TYPE));

	std::vector<uint8> flat = Flatten(info);
	BPropertyInfo copy;
	ASSERT_EQ(copy.Unflatten(B_PROPERTY_INFO_TYPE, flat.data(), flat.size()), B_OK);
	ASSERT_EQ(copy.CountProperties(), 5);
	ASSERT_EQ(copy.CountValues(), 2);

	const property_info* properties = copy.Properties();
	EXPECT_EQ(properties[5].name, nullptr);
	EXPECT_STREQ(properties[0].name, "Frame");
	EXPECT_EQ(properties[0].commands[0], (uint32)B_GET_PROPERTY);
	EXPECT_EQ(properties[0].commands[1], (uint32)B_SET_PROPERTY);
	EXPECT_EQ(properties[0].commands[2], 0u);
	EXPECT_EQ(properties[0].specifiers[0], (uint32)B_DIRECT_SPECIFIER);
	EXPECT_EQ(properties[0].specifiers[1], 0u);
	EXPECT_STREQ(properties[0].usage, "The window's frame");
	EXPECT_EQ(properties[0].extra_data, 7u);
	EXPECT_EQ(properties[0].types[0], (uint32)B_RECT_TYPE);
	EXPECT_EQ(properties[0].types[1], 0u);
	// Absent and empty usage texts stay apart.
	EXPECT_EQ(properties[1].usage, nullptr);
	EXPECT_STREQ(properties[2].usage, "");
	EXPECT_EQ(properties[1].commands[0], 0u);
	EXPECT_EQ(properties[3].specifiers[0], 0u);
	EXPECT_STREQ(properties[4].ctypes[0].pairs[1].name, "y");
	EXPECT_EQ(properties[4].ctypes[0].pairs[1].type, (type_code)B_FLOAT_TYPE);
	EXPECT_EQ(properties[4].ctypes[0].pairs[2].name, nullptr);
	EXPECT_EQ(properties[4].ctypes[1].pairs[0].name, nullptr);

	const value_info* values = copy.Values();
	EXPECT_STREQ(values[0].name, "Hide");
	EXPECT_EQ(values[0].value, (uint32)'hide');
	EXPECT_EQ(values[0].kind, B_COMMAND_KIND);
	EXPECT_STREQ(values[0].usage, "Hides it");
	EXPECT_EQ(values[1].kind, B_TYPE_CODE_KIND);
	EXPECT_EQ(values[1].usage, nullptr);
	EXPECT_EQ(values[2].name, nullptr);

	// The unflattened tables flatten to the same bytes, and match like the originals.
	EXPECT_EQ(Flatten(copy), flat);
	BMessage count(B_COUNT_PROPERTIES);
	EXPECT_EQ(copy.FindMatch(&count, 0, NULL, B_DIRECT_SPECIFIER, "View"), 2);

	// Through a message, as a suites reply carries it.
	BMessage reply(B_REPLY);
	ASSERT_EQ(reply.AddFlat("messages", &info), B_OK);
	BPropertyInfo fromMessage;
	ASSERT_EQ(reply.FindFlat("messages", &fromMessage), B_OK);
	EXPECT_EQ(fromMessage.CountProperties(), 5);
}


TEST(PropertyInfoTest, TenCodesAndOddKindsSurvive)
{
	property_info full[] = {
		{ "Full", { 1, 2, 3, 4, 5, 6, 7, 8, 9, 10 }, { 1, 2, 3, 4, 5, 6, 7, 8, 9, 10 }, NULL, 0,
			{ 1, 2, 3, 4, 5, 6, 7, 8, 9, 10 } },
		// Codes after a 0 are not part of the list.
		{ "Gap", { B_GET_PROPERTY, 0, B_SET_PROPERTY } },
		{ NULL }
	};
	value_info odd[] = { { "Odd", 2, (value_kind)2 }, { NULL } };
	BPropertyInfo info(full, odd);
	std::vector<uint8> flat = Flatten(info);
	BPropertyInfo copy;
	ASSERT_EQ(copy.Unflatten(B_PROPERTY_INFO_TYPE, flat.data(), flat.size()), B_OK);
	EXPECT_EQ(copy.Properties()[0].commands[9], 10u);
	EXPECT_EQ(copy.Properties()[0].specifiers[9], 10u);
	EXPECT_EQ(copy.Properties()[1].commands[1], 0u);
	EXPECT_EQ(copy.Properties()[1].commands[2], 0u);
	EXPECT_EQ((int32)copy.Values()[0].kind, 2);
}


TEST(PropertyInfoTest, EmptyTablesUnflattenToTerminatorsOnly)
{
	BPropertyInfo empty;
	EXPECT_EQ(empty.Properties(), nullptr);
	std::vector<uint8> flat = Flatten(empty);
	BPropertyInfo copy;
	ASSERT_EQ(copy.Unflatten(B_PROPERTY_INFO_TYPE, flat.data(), flat.size()), B_OK);
	EXPECT_EQ(copy.CountProperties(), 0);
	ASSERT_NE(copy.Properties(), nullptr);
	EXPECT_EQ(copy.Properties()[0].name, nullptr);
	ASSERT_NE(copy.Values(), nullptr);
	EXPECT_EQ(copy.Values()[0].name, nullptr);
}


TEST(PropertyInfoTest, UnflattenRefusesBadBuffersAndKeepsNothing)
{
	BPropertyInfo info(sWindowProperties, sValues);
	std::vector<uint8> good = Flatten(info);

	auto expectRefused = [](const std::vector<uint8>& bytes, size_t size) {
		BPropertyInfo target(sWindowProperties);
		EXPECT_NE(target.Unflatten(B_PROPERTY_INFO_TYPE, bytes.data(), size), B_OK);
		EXPECT_EQ(target.CountProperties(), 0);
		EXPECT_EQ(target.CountValues(), 0);
		EXPECT_EQ(target.Properties(), nullptr);
	};

	for (size_t size = 0; size < good.size(); size++)
		expectRefused(good, size);

	BPropertyInfo target;
	EXPECT_EQ(target.Unflatten(B_RAW_TYPE, good.data(), good.size()), B_BAD_TYPE);
	EXPECT_EQ(target.Unflatten(B_PROPERTY_INFO_TYPE, NULL, 10), B_BAD_DATA);

	// Counts far beyond the buffer, or beyond the limits, are refused without allocating.
	std::vector<uint8> bad = good;
	uint32 huge = 0xffffffff;
	memcpy(bad.data() + 8, &huge, sizeof(huge));
	expectRefused(bad, bad.size());
	bad = good;
	uint32 many = 4000;
	memcpy(bad.data() + 12, &many, sizeof(many));
	expectRefused(bad, bad.size());

	// Every corrupted byte is refused or gives tables that flatten and unflatten again.
	for (size_t i = 0; i < good.size(); i++) {
		std::vector<uint8> corrupt = good;
		corrupt[i] ^= 0x41;
		BPropertyInfo result;
		if (result.Unflatten(B_PROPERTY_INFO_TYPE, corrupt.data(), corrupt.size()) != B_OK)
			continue;
		std::vector<uint8> again = Flatten(result);
		BPropertyInfo check;
		EXPECT_EQ(check.Unflatten(B_PROPERTY_INFO_TYPE, again.data(), again.size()), B_OK);
		for (int32 p = 0; p < result.CountProperties(); p++)
			EXPECT_NE(result.Properties()[p].name, nullptr);
	}
}
