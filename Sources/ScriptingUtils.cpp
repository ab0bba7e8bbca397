#include "ScriptingUtils.h"

#include <inttypes.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <memory>
#include <string>

#include <Entry.h>
#include <List.h>
#include <Message.h>
#include <Path.h>
#include <PropertyInfo.h>
#include <TypeConstants.h>


namespace {

struct code_name {
	int32		code;
	const char*	name;
};

// Every code that has a platform name. Type codes, message codes, commands and specifier
// forms share one code space: the four-character codes all have a non-zero first byte, so
// they never collide with the forms 0 to 7 or with B_ERROR.
const code_name kCodeNames[] = {
	// Data types
	{ 'ANYT', "B_ANY_TYPE" },
	{ 'TEXT', "B_ASCII_TYPE" },
	{ 'BOOL', "B_BOOL_TYPE" },
	{ 'CHAR', "B_CHAR_TYPE" },
	{ 'CLRB', "B_COLOR_8_BIT_TYPE" },
	{ 'DBLE', "B_DOUBLE_TYPE" },
	{ 'FLOT', "B_FLOAT_TYPE" },
	{ 'GRYB', "B_GRAYSCALE_8_BIT_TYPE" },
	{ 'LLNG', "B_INT64_TYPE" },
	{ 'LONG', "B_INT32_TYPE" },
	{ 'SHRT', "B_INT16_TYPE" },
	{ 'BYTE', "B_INT8_TYPE" },
	{ 'MSGG', "B_MESSAGE_TYPE" },
	{ 'MSNG', "B_MESSENGER_TYPE" },
	{ 'MIME', "B_MIME_TYPE" },
	{ 'MNOB', "B_MONOCHROME_1_BIT_TYPE" },
	{ 'OPTR', "B_OBJECT_TYPE" },
	{ 'OFFT', "B_OFF_T_TYPE" },
	{ 'PATN', "B_PATTERN_TYPE" },
	{ 'PNTR', "B_POINTER_TYPE" },
	{ 'BPNT', "B_POINT_TYPE" },
	{ 'RAWT', "B_RAW_TYPE" },
	{ 'RECT', "B_RECT_TYPE" },
	{ 'RREF', "B_REF_TYPE" },
	{ 'RGBB', "B_RGB_32_BIT_TYPE" },
	{ 'RGBC', "B_RGB_COLOR_TYPE" },
	{ 'SIZT', "B_SIZE_T_TYPE" },
	{ 'SSZT', "B_SSIZE_T_TYPE" },
	{ 'CSTR', "B_STRING_TYPE" },
	{ 'TIME', "B_TIME_TYPE" },
	{ 'ULLG', "B_UINT64_TYPE" },
	{ 'ULNG', "B_UINT32_TYPE" },
	{ 'USHT', "B_UINT16_TYPE" },
	{ 'UBYT', "B_UINT8_TYPE" },
	{ 'SCTD', "B_PROPERTY_INFO_TYPE" },

	// System messages
	{ '_ABR', "B_ABOUT_REQUESTED" },
	{ '_ACT', "B_WINDOW_ACTIVATED" },
	{ '_ARG', "B_ARGV_RECEIVED" },
	{ '_QRQ', "B_QUIT_REQUESTED" },
	{ '_CNC', "B_CANCEL" },
	{ '_KYD', "B_KEY_DOWN" },
	{ '_KYU', "B_KEY_UP" },
	{ '_WMN', "B_MINIMIZE" },
	{ '_MDN', "B_MOUSE_DOWN" },
	{ '_MMV', "B_MOUSE_MOVED" },
	{ '_MEX', "B_MOUSE_ENTER_EXIT" },
	{ '_MUP', "B_MOUSE_UP" },
	{ '_PUL', "B_PULSE" },
	{ '_RTR', "B_READY_TO_RUN" },
	{ '_RRC', "B_REFS_RECEIVED" },
	{ '_SCH', "B_SCREEN_CHANGED" },
	{ '_VCH', "B_VALUE_CHANGED" },
	{ '_VMV', "B_VIEW_MOVED" },
	{ '_VRS', "B_VIEW_RESIZED" },
	{ '_WMV', "B_WINDOW_MOVED" },
	{ '_WRS', "B_WINDOW_RESIZED" },
	{ '_WCG', "B_WORKSPACES_CHANGED" },
	{ '_WAC', "B_WORKSPACE_ACTIVATED" },
	{ '_WZM', "B_ZOOM" },

	// Messages internal to the platform
	{ '_AMN', "_APP_MENU_" },
	{ '_BRM', "_BROWSER_MENUS_" },
	{ '_MEV', "_MENU_EVENT_" },
	{ '_QIT', "_QUIT_" },
	{ '_NVL', "_VOLUME_MOUNTED_" },
	{ '_VRM', "_VOLUME_UNMOUNTED_" },
	{ '_MDP', "_MESSAGE_DROPPED_" },
	{ '_MND', "_MENUS_DONE_" },
	{ '_SDH', "_SHOW_DRAG_HANDLES_" },

	// Scripting commands
	{ 'PSET', "B_SET_PROPERTY" },
	{ 'PGET', "B_GET_PROPERTY" },
	{ 'PCRT', "B_CREATE_PROPERTY" },
	{ 'PDEL', "B_DELETE_PROPERTY" },
	{ 'PCNT', "B_COUNT_PROPERTIES" },
	{ 'PEXE', "B_EXECUTE_PROPERTY" },
	{ 'SUIT', "B_GET_SUPPORTED_SUITES" },

	// Standard application messages and replies
	{ 'CCUT', "B_CUT" },
	{ 'COPY', "B_COPY" },
	{ 'PSTE', "B_PASTE" },
	{ 'SALL', "B_SELECT_ALL" },
	{ 'SAVE', "B_SAVE_REQUESTED" },
	{ 'MNOT', "B_MESSAGE_NOT_UNDERSTOOD" },
	{ 'NONE', "B_NO_REPLY" },
	{ 'RPLY', "B_REPLY" },
	{ 'DATA', "B_SIMPLE_DATA" },
	{ 'ARCV', "B_ARCHIVED_OBJECT" },
	{ 'SBUP', "B_UPDATE_STATUS_BAR" },
	{ 'SBRS', "B_RESET_STATUS_BAR" },
	{ 'NDMN', "B_NODE_MONITOR" },
	{ 'QUPD', "B_QUERY_UPDATE" },

	// Status codes and specifier forms
	{ static_cast<int32>(0x80002008), "B_BAD_SCRIPT_SYNTAX" },
	{ 0, "B_NO_SPECIFIER" },
	{ 1, "B_DIRECT_SPECIFIER" },
	{ 2, "B_INDEX_SPECIFIER" },
	{ 3, "B_REVERSE_INDEX_SPECIFIER" },
	{ 4, "B_RANGE_SPECIFIER" },
	{ 5, "B_REVERSE_RANGE_SPECIFIER" },
	{ 6, "B_NAME_SPECIFIER" },
	{ 7, "B_ID_SPECIFIER" },
	{ -1, "B_ERROR" },
};

const size_t kDatatypeStringSize = 128;

// Strings show at most this many bytes, byte lists and hexadecimal dumps this many entries.
const int32 kMaxStringBytes = 512;
const int32 kMaxListedBytes = 256;

// Nested messages deeper than this are shown by their holding item's line only. Each
// "_previous_" item is unflattened afresh, so without this bound a crafted chain of them
// would recurse once per few bytes of input.
const int32 kMaxDumpLevel = 64;

const char* const kPropertyHeading
	= "        property   commands                            specifiers";
const char* const kValueHeading
	= "            name   value                               kind";
const char* const kRule
	= "--------------------------------------------------------------------------------";
const char* const kUsagePrefix = "                   Usage: ";

// The kind of a value line starts here, unless the columns before it run long.
const size_t kSecondColumn = 55;
// The commands of a property line fill this many characters before the specifiers.
const size_t kCommandsWidth = 36;


} // namespace


void
vappend_format(std::string& text, const char* format, va_list args)
{
	va_list measure;
	va_copy(measure, args);
	int length = vsnprintf(NULL, 0, format, measure);
	va_end(measure);
	if (length > 0) {
		size_t start = text.size();
		text.resize(start + length + 1);
		vsnprintf(&text[start], length + 1, format, args);
		text.resize(start + length);
	}
}


namespace {

void append_format(std::string& text, const char* format, ...)
	__attribute__((format(printf, 2, 3)));

void
append_format(std::string& text, const char* format, ...)
{
	va_list args;
	va_start(args, format);
	vappend_format(text, format, args);
	va_end(args);
}


char*
copy_text(const std::string& text)
{
	char* copy = new char[text.size() + 1];
	memcpy(copy, text.c_str(), text.size() + 1);
	return copy;
}


void
append_code_name(std::string& text, int32 code)
{
	std::unique_ptr<char[]> name(get_datatype_string(code));
	text += name.get();
}


// Copies a fixed-width value out of an item; false when the item is too short for it.
template<typename Value>
bool
read_value(const uint8* bytes, int32 size, Value& value)
{
	if (size < static_cast<int32>(sizeof(Value)))
		return false;
	memcpy(&value, bytes, sizeof(Value));
	return true;
}


void
append_hex_dump(std::string& text, const uint8* bytes, int32 size)
{
	int32 count = size < kMaxListedBytes ? size : kMaxListedBytes;
	for (int32 i = 0; i < count; i++)
		append_format(text, i == 0 ? "0x%02X" : ", 0x%02X", bytes[i]);
}


void
append_byte_list(std::string& text, const uint8* bytes, int32 size)
{
	int32 count = size < kMaxListedBytes ? size : kMaxListedBytes;
	for (int32 i = 0; i < count; i++)
		append_format(text, i == 0 ? "%u" : " %u", bytes[i]);
}


void
append_quoted_string(std::string& text, const uint8* bytes, int32 size)
{
	const char* string = reinterpret_cast<const char*>(bytes);
	text += '"';
	text.append(string, strnlen(string, size < kMaxStringBytes ? size : kMaxStringBytes));
	text += '"';
}


void
append_nested_what(std::string& text, const uint8* bytes, int32 size)
{
	BMessage message;
	if (message.Unflatten(reinterpret_cast<const char*>(bytes), size) != B_OK) {
		text += "error when unflattening";
		return;
	}
	text += "what=";
	append_code_name(text, message.what);
}


void
append_ref_path(std::string& text, const uint8* bytes, int32 size)
{
	BMessage scratch;
	entry_ref ref;
	BEntry entry;
	BPath path;
	// An entry that opens but has no path reads like one that does not open: either way
	// there is no path to show.
	if (scratch.AddData("myref", B_REF_TYPE, bytes, size, true, 1) != B_OK
		|| scratch.FindRef("myref", &ref) != B_OK
		|| entry.SetTo(&ref, false) != B_OK
		|| entry.GetPath(&path) != B_OK || path.Path() == NULL) {
		text += "invalid entry_ref";
		return;
	}
	text += path.Path();
}


void append_property_text(std::string& text, const BPropertyInfo& info);


void
append_property_info(std::string& text, const uint8* bytes, int32 size)
{
	BPropertyInfo info;
	if (info.Unflatten(B_PROPERTY_INFO_TYPE, bytes, size) != B_OK) {
		text += "error when unflattening";
		return;
	}
	append_property_text(text, info);
}


// Appends the text of an item whose type has a rendering of its own. False, with nothing
// appended, for other types and for an item shorter than the value its type holds; those
// are dumped in hexadecimal, so nothing past the item is ever read.
bool
append_typed_item(std::string& text, int32 type, const uint8* bytes, int32 size)
{
	switch (type) {
		case B_BOOL_TYPE:
			text += bytes[0] != 0 ? "TRUE" : "FALSE";
			return true;
		case B_INT8_TYPE:
		case B_CHAR_TYPE:
		{
			int32 value = static_cast<int8>(bytes[0]);
			append_format(text, "%" PRId32 " (0x%02" PRIX32 ")", value,
				static_cast<uint32>(value));
			return true;
		}
		case B_UINT8_TYPE:
			append_format(text, "%u (0x%02X)", bytes[0], bytes[0]);
			return true;
		case B_INT16_TYPE:
		{
			int16 value;
			if (!read_value(bytes, size, value))
				return false;
			append_format(text, "%" PRId32 " (0x%04" PRIX32 ")", static_cast<int32>(value),
				static_cast<uint32>(static_cast<int32>(value)));
			return true;
		}
		case B_UINT16_TYPE:
		{
			uint16 value;
			if (!read_value(bytes, size, value))
				return false;
			append_format(text, "%u (0x%04X)", value, value);
			return true;
		}
		case B_INT32_TYPE:
		case B_SIZE_T_TYPE:
		{
			int32 value;
			if (!read_value(bytes, size, value))
				return false;
			append_format(text, "%" PRId32 " (0x%08" PRIX32 ")", value,
				static_cast<uint32>(value));
			return true;
		}
		case B_UINT32_TYPE:
		{
			uint32 value;
			if (!read_value(bytes, size, value))
				return false;
			append_format(text, "%" PRIu32 " (0x%08" PRIX32 ")", value, value);
			return true;
		}
		case B_INT64_TYPE:
		case B_SSIZE_T_TYPE:
		{
			int64 value;
			if (!read_value(bytes, size, value))
				return false;
			append_format(text, "%" PRId64 " (0x%" PRIX64 ")", value,
				static_cast<uint64>(value));
			return true;
		}
		case B_UINT64_TYPE:
		{
			uint64 value;
			if (!read_value(bytes, size, value))
				return false;
			append_format(text, "%" PRIu64 " (0x%" PRIX64 ")", value, value);
			return true;
		}
		case B_FLOAT_TYPE:
		{
			float value;
			if (!read_value(bytes, size, value))
				return false;
			append_format(text, "%.3f", value);
			return true;
		}
		case B_DOUBLE_TYPE:
		{
			double value;
			if (!read_value(bytes, size, value))
				return false;
			append_format(text, "%.3f", value);
			return true;
		}
		case B_POINT_TYPE:
		{
			float point[2];
			if (!read_value(bytes, size, point))
				return false;
			append_format(text, "BPoint(%.1f, %.1f)", point[0], point[1]);
			return true;
		}
		case B_RECT_TYPE:
		{
			float rect[4];
			if (!read_value(bytes, size, rect))
				return false;
			append_format(text, "BRect(%.1f, %.1f, %.1f, %.1f)", rect[0], rect[1], rect[2],
				rect[3]);
			return true;
		}
		case B_RGB_COLOR_TYPE:
		{
			uint8 color[4];
			if (!read_value(bytes, size, color))
				return false;
			append_format(text, "Red=%u  Green=%u  Blue=%u  Alpha=%u", color[0], color[1],
				color[2], color[3]);
			return true;
		}
		case B_COLOR_8_BIT_TYPE:
			append_byte_list(text, bytes, size);
			return true;
		case B_STRING_TYPE:
		case B_MIME_TYPE:
		case B_ASCII_TYPE:
			append_quoted_string(text, bytes, size);
			return true;
		case B_POINTER_TYPE:
		{
			void* value;
			if (!read_value(bytes, size, value))
				return false;
			append_format(text, "%p", value);
			return true;
		}
		case B_MESSAGE_TYPE:
			append_nested_what(text, bytes, size);
			return true;
		case B_REF_TYPE:
			append_ref_path(text, bytes, size);
			return true;
		case B_PROPERTY_INFO_TYPE:
			append_property_info(text, bytes, size);
			return true;
		default:
			return false;
	}
}


void
append_item(std::string& text, int32 type, const void* data, int32 size)
{
	if (size < 1 || data == NULL)
		return;
	const uint8* bytes = static_cast<const uint8*>(data);
	if (!append_typed_item(text, type, bytes, size))
		append_hex_dump(text, bytes, size);
}


// Specifier fields that are missing, or hold another type than the phrase expects, read
// as "?": the phrase keeps its shape and shows nothing that was not in the message.
void
append_string_field(std::string& text, const BMessage& specifier, const char* name)
{
	const char* value;
	text += specifier.FindString(name, &value) == B_OK ? value : "?";
}


void
append_int32_field(std::string& text, const BMessage& specifier, const char* name)
{
	int32 value;
	if (specifier.FindInt32(name, &value) == B_OK)
		append_format(text, "%" PRId32, value);
	else
		text += '?';
}


void
append_specifier(std::string& text, const BMessage& specifier)
{
	switch (specifier.what) {
		case B_NO_SPECIFIER:
			text += "(none)";
			return;
		case B_DIRECT_SPECIFIER:
			append_string_field(text, specifier, "property");
			return;
		case B_INDEX_SPECIFIER:
			append_string_field(text, specifier, "property");
			text += ' ';
			append_int32_field(text, specifier, "index");
			return;
		case B_REVERSE_INDEX_SPECIFIER:
			append_string_field(text, specifier, "property");
			text += " -";
			append_int32_field(text, specifier, "index");
			return;
		case B_RANGE_SPECIFIER:
		case B_REVERSE_RANGE_SPECIFIER:
			append_string_field(text, specifier, "property");
			text += specifier.what == B_RANGE_SPECIFIER ? " [" : " [-";
			append_int32_field(text, specifier, "index");
			text += " to ";
			append_int32_field(text, specifier, "range");
			text += ']';
			return;
		case B_NAME_SPECIFIER:
			append_string_field(text, specifier, "property");
			text += " \"";
			append_string_field(text, specifier, "name");
			text += '"';
			return;
		case B_ID_SPECIFIER:
			append_string_field(text, specifier, "property");
			text += ' ';
			// Identifiers are usually numbers; a string one is shown as it is.
			if (specifier.HasString("id"))
				append_string_field(text, specifier, "id");
			else
				append_int32_field(text, specifier, "id");
			return;
		default:
			text += "(unknown)";
			return;
	}
}


char*
make_dump_line(int32 level, const char* name, int32 type, const void* data, ssize_t size)
{
	std::unique_ptr<char[]> typeName(get_datatype_string(type));
	std::unique_ptr<char[]> value(format_data(type, data, static_cast<int32>(size)));
	size_t indent = 4 * static_cast<size_t>(level);
	size_t length = indent + 20 + strlen(name) + strlen(typeName.get()) + strlen(value.get());
	char* line = static_cast<char*>(malloc(length));
	if (line != NULL) {
		snprintf(line, length, "%*s\"%s\" (%s) : %s", static_cast<int>(indent), "", name,
			typeName.get(), value.get());
	}
	return line;
}


// Says where the nesting limit cut a dump short, at the level the nested items would have.
void
add_limit_line(BList* lines, int32 level)
{
	std::string text(4 * static_cast<size_t>(level), ' ');
	append_format(text, "(nested message not shown: more than %" PRId32 " levels)",
		kMaxDumpLevel);
	char* line = static_cast<char*>(malloc(text.size() + 1));
	if (line != NULL) {
		memcpy(line, text.c_str(), text.size() + 1);
		lines->AddItem(line);
	}
}


void
append_name_column(std::string& line, const char* name)
{
	append_format(line, "%16s   ", name != NULL ? name : "");
}


void
pad_to(std::string& line, size_t width)
{
	line.append(line.size() < width ? width - line.size() : 2, ' ');
}


const char*
specifier_abbreviation(uint32 form)
{
	switch (form) {
		case B_DIRECT_SPECIFIER:
			return "DIRECT ";
		case B_INDEX_SPECIFIER:
			return "INDEX ";
		case B_REVERSE_INDEX_SPECIFIER:
			return "REV.INDEX ";
		case B_RANGE_SPECIFIER:
			return "RANGE ";
		case B_REVERSE_RANGE_SPECIFIER:
			return "REV.RANGE ";
		case B_NAME_SPECIFIER:
			return "NAME ";
		case B_ID_SPECIFIER:
			return "ID ";
		default:
			return "<NONE> ";
	}
}


std::string
property_line(const property_info& property)
{
	std::string line;
	append_name_column(line, property.name);
	std::string commands;
	for (size_t i = 0; i < B_COUNT_OF(property.commands) && property.commands[i] != 0; i++) {
		append_code_name(commands, property.commands[i]);
		commands += ' ';
	}
	line += commands;
	line.append(commands.size() < kCommandsWidth ? kCommandsWidth - commands.size() : 2, ' ');
	for (size_t i = 0; i < B_COUNT_OF(property.specifiers) && property.specifiers[i] != 0;
			i++) {
		line += specifier_abbreviation(property.specifiers[i]);
	}
	return line;
}


std::string
usage_line(const char* usage)
{
	return std::string(kUsagePrefix) + usage;
}


// The two forms of the table differ in one place: the line list names an unknown kind's
// number, the single text does not.
std::string
value_line(const value_info& value, bool nameUnknownKind)
{
	std::string line;
	append_name_column(line, value.name);
	char code[13];
	append_format(line, "0x%8" PRIX32 " (%s)", static_cast<uint32>(value.value),
		id2str(value.value, code));
	pad_to(line, kSecondColumn);
	switch (value.kind) {
		case B_COMMAND_KIND:
			line += "COMMAND         ";
			break;
		case B_TYPE_CODE_KIND:
			line += "TYPE CODE       ";
			break;
		default:
			if (nameUnknownKind) {
				line += "unknown   ";
				line += id2str(value.kind, code);
			} else
				line += "unknown         ";
			break;
	}
	return line;
}


void
append_property_text(std::string& text, const BPropertyInfo& info)
{
	text += '\n';
	text += kPropertyHeading;
	text += '\n';
	text += kRule;
	text += '\n';

	const property_info* properties = info.Properties();
	int32 propertyCount = properties != NULL ? info.CountProperties() : 0;
	for (int32 i = 0; i < propertyCount; i++) {
		text += property_line(properties[i]);
		text += '\n';
		if (properties[i].usage != NULL) {
			text += usage_line(properties[i].usage);
			text += '\n';
		}
	}

	const value_info* values = info.Values();
	int32 valueCount = values != NULL ? info.CountValues() : 0;
	if (valueCount < 1)
		return;
	text += '\n';
	text += kValueHeading;
	text += '\n';
	text += kRule;
	text += '\n';
	for (int32 i = 0; i < valueCount; i++) {
		text += value_line(values[i], false);
		text += '\n';
		if (values[i].usage != NULL) {
			text += usage_line(values[i].usage);
			text += '\n';
		}
	}
}


void
add_table_line(BList* lines, const std::string& line)
{
	lines->AddItem(copy_text(line));
}

} // namespace


bool
is_valid_char(uint8 c)
{
	return c >= 0x20 && c <= 0x7F;
}


char*
id2str(int32 code, char* buffer)
{
	uint32 bits = static_cast<uint32>(code);
	uint8 bytes[4] = {
		static_cast<uint8>(bits >> 24), static_cast<uint8>(bits >> 16),
		static_cast<uint8>(bits >> 8), static_cast<uint8>(bits)
	};
	// Leading zero bytes are dropped; a zero byte after the first character is not
	// printable and turns the whole code into a number.
	int first = 0;
	while (first < 3 && bytes[first] == 0)
		first++;

	bool printable = true;
	char* out = buffer;
	*out++ = '\'';
	for (int i = first; i < 4; i++) {
		printable = printable && is_valid_char(bytes[i]);
		*out++ = static_cast<char>(bytes[i]);
	}
	*out++ = '\'';
	*out = '\0';

	if (!printable)
		snprintf(buffer, 13, "%" PRId32 "L", code);
	return buffer;
}


char*
get_datatype_string(int32 code)
{
	char* text = new char[kDatatypeStringSize];
	for (const code_name& entry : kCodeNames) {
		if (entry.code == code) {
			snprintf(text, kDatatypeStringSize, "%s", entry.name);
			return text;
		}
	}
	return id2str(code, text);
}


char*
format_data(int32 type, const void* data, int32 size)
{
	std::string text;
	append_item(text, type, data, size);
	return copy_text(text);
}


BString
specifier_to_str(const BMessage* message, bool omitFirst)
{
	if (!message->HasSpecifiers())
		return BString();

	int32 autoresolve;
	if (message->FindInt32("autoresolve", &autoresolve) != B_OK)
		autoresolve = -1;

	std::string text;
	BMessage specifier;
	for (int32 index = 0; message->FindMessage("specifiers", index, &specifier) == B_OK;
			index++) {
		if (index > 0 && (!omitFirst || index > 1))
			text += index == autoresolve ? " in " : " of ";
		if (index == 0 && omitFirst)
			continue;
		append_specifier(text, specifier);
	}
	return BString(text.c_str());
}


BString
data_to_str(const BMessage* message)
{
	std::string text;
	bool first = true;
	int32 fieldCount = message->CountNames(B_ANY_TYPE);
	for (int32 i = 0; i < fieldCount; i++) {
		const char* name;
		type_code type;
		if (message->GetInfo(B_ANY_TYPE, i, &name, &type) != B_OK)
			continue;
		const void* data;
		ssize_t size;
		for (int32 j = 0; message->FindData(name, type, j, &data, &size) == B_OK; j++) {
			// The separator goes before every item but the first one shown, so a field
			// whose items cannot be fetched leaves no stray " and " behind.
			if (!first)
				text += " and ";
			first = false;
			if (strcmp(name, "data") != 0) {
				text += name;
				text += '=';
			}
			append_item(text, type, data, static_cast<int32>(size));
		}
	}
	return BString(text.c_str());
}


void
add_message_contents(BList* lines, const BMessage* message, int32 level)
{
	BMessage scratch;
	int32 fieldCount = message->CountNames(B_ANY_TYPE);
	for (int32 i = 0; i < fieldCount; i++) {
		const char* name;
		type_code type;
		if (message->GetInfo(B_ANY_TYPE, i, &name, &type) != B_OK)
			continue;
		const void* data;
		ssize_t size;
		for (int32 j = 0; message->FindData(name, type, j, &data, &size) == B_OK; j++) {
			char* line = make_dump_line(level, name, type, data, size);
			if (line != NULL)
				lines->AddItem(line);
			// Only a message that was read whole is expanded; a failed read would leave
			// the previous item's contents in the scratch message.
			bool nested;
			if (type == B_MESSAGE_TYPE)
				nested = message->FindMessage(name, j, &scratch) == B_OK;
			else {
				nested = type == B_RAW_TYPE && strcmp(name, "_previous_") == 0
					&& scratch.Unflatten(static_cast<const char*>(data), size) == B_OK;
			}
			if (!nested)
				continue;
			if (level < kMaxDumpLevel)
				add_message_contents(lines, &scratch, level + 1);
			else
				add_limit_line(lines, level + 1);
		}
	}
}


// A control character is shown as an escape (\n, \t, \r, \xHH) instead of reaching the
// terminal, and so is a C1 control encoded as UTF-8 (\xc2\x9b). Everything else, other
// bytes of 128 and above included, is kept; with keepLayout line breaks and tabs too.
BString
printable_str(const char* text, bool keepLayout)
{
	BString result;
	for (const unsigned char* c = (const unsigned char*)text; *c != '\0'; c++) {
		char escape[12];
		if (keepLayout && (*c == '\n' || *c == '\t'))
			result += (char)*c;
		else if (*c == '\n')
			result += "\\n";
		else if (*c == '\t')
			result += "\\t";
		else if (*c == '\r')
			result += "\\r";
		else if (*c < 0x20 || *c == 0x7f) {
			snprintf(escape, sizeof(escape), "\\x%02x", *c);
			result += escape;
		} else if (*c == 0xc2 && c[1] >= 0x80 && c[1] <= 0x9f) {
			snprintf(escape, sizeof(escape), "\\x%02x\\x%02x", c[0], c[1]);
			result += escape;
			c++;
		} else
			result += (char)*c;
	}
	return result;
}


std::string
message_text(const BMessage* message)
{
	BList lines(20);
	add_message_contents(&lines, message, 0);
	std::unique_ptr<char[]> what(get_datatype_string(message->what));
	std::string text;
	append_format(text, "BMessage(%s):\n", printable_str(what.get()).String());
	// An item's text may span lines, as a property table's does.
	for (int32 i = 0; i < lines.CountItems(); i++) {
		char* line = static_cast<char*>(lines.ItemAt(i));
		append_format(text, "   %s\n", printable_str(line, true).String());
		free(line);
	}
	return text;
}


void
print_message(const BMessage* message)
{
	fputs(message_text(message).c_str(), stdout);
}


void
DehydratePropertyInfo(BList* lines, const BPropertyInfo& info, int32 flatSize)
{
	// Each line is allocated to fit its text. flatSize comes from another process, and
	// lines sized by it would let a large table claim memory many times its own size.
	add_table_line(lines, kPropertyHeading);
	add_table_line(lines, kRule);

	const property_info* properties = info.Properties();
	int32 propertyCount = properties != NULL ? info.CountProperties() : 0;
	if (propertyCount < 1)
		return;
	for (int32 i = 0; i < propertyCount; i++) {
		add_table_line(lines, property_line(properties[i]));
		if (properties[i].usage != NULL)
			add_table_line(lines, usage_line(properties[i].usage));
	}

	const value_info* values = info.Values();
	int32 valueCount = values != NULL ? info.CountValues() : 0;
	if (valueCount >= 1) {
		add_table_line(lines, kRule);
		add_table_line(lines, kValueHeading);
		add_table_line(lines, kRule);
		for (int32 i = 0; i < valueCount; i++) {
			add_table_line(lines, value_line(values[i], true));
			if (values[i].usage != NULL)
				add_table_line(lines, usage_line(values[i].usage));
		}
	}
	add_table_line(lines, kRule);
}
