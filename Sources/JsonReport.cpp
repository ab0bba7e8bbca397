#include "JsonReport.h"

#include <AppDefs.h>
#include <Message.h>
#include <Point.h>
#include <PropertyInfo.h>
#include <Rect.h>

#include <nlohmann/json.hpp>

#include <string.h>

#include <map>
#include <memory>
#include <set>
#include <string>

#include "ScriptingTargets.h"
#include "ScriptingUtils.h"

using nlohmann::ordered_json;


namespace {

// Levels of nested messages written as objects; deeper ones as their dump's text. A reply
// comes from another process, which chooses its nesting.
const int32 kMaxMessageDepth = 16;

// The suites' tables of one application's tree: the first one met under each suite name.
typedef std::map<std::string, std::string> SuiteTables;
// The nodes of a tree share their suites replies (most nodes have the same ones): what a
// reply gives is worked out once per reply.
typedef std::map<const BMessage*, ordered_json> DifferingTables;


std::string
code_name(int32 code)
{
	std::unique_ptr<char[]> name(get_datatype_string(code));
	return name.get();
}


std::string
dump(const ordered_json& value)
{
	return value.dump(-1, ' ', false, ordered_json::error_handler_t::replace);
}


ordered_json
table_json(const void* data, ssize_t size)
{
	BPropertyInfo info;
	if (info.Unflatten(B_PROPERTY_INFO_TYPE, data, size) != B_OK)
		return ordered_json{ { "error", "error when unflattening" } };

	ordered_json properties = ordered_json::array();
	const property_info* property = info.Properties();
	for (int32 i = 0; property != NULL && i < info.CountProperties(); i++) {
		ordered_json commands = ordered_json::array();
		for (int32 j = 0; j < 10 && property[i].commands[j] != 0; j++)
			commands.push_back(code_name(property[i].commands[j]));
		ordered_json specifiers = ordered_json::array();
		for (int32 j = 0; j < 10 && property[i].specifiers[j] != 0; j++)
			specifiers.push_back(code_name(property[i].specifiers[j]));
		ordered_json entry = {
			{ "name", property[i].name != NULL ? property[i].name : "" },
			{ "commands", commands },
			{ "specifiers", specifiers }
		};
		if (property[i].usage != NULL)
			entry["usage"] = property[i].usage;
		properties.push_back(entry);
	}

	ordered_json values = ordered_json::array();
	const value_info* value = info.Values();
	for (int32 i = 0; value != NULL && i < info.CountValues(); i++) {
		char text[16];
		ordered_json entry = {
			{ "name", value[i].name != NULL ? value[i].name : "" },
			{ "value", value[i].value },
			{ "code", id2str((int32)value[i].value, text) }
		};
		if (value[i].kind == B_COMMAND_KIND)
			entry["kind"] = "command";
		else if (value[i].kind == B_TYPE_CODE_KIND)
			entry["kind"] = "type code";
		else
			entry["kind"] = (int32)value[i].kind;
		if (value[i].usage != NULL)
			entry["usage"] = value[i].usage;
		values.push_back(entry);
	}
	return ordered_json{ { "properties", properties }, { "values", values } };
}


ordered_json
specifier_json(const BMessage& specifier)
{
	ordered_json entry = { { "form", code_name(specifier.what) } };
	const char* text;
	int32 number;
	if (specifier.FindString("property", &text) == B_OK)
		entry["property"] = text;
	if (specifier.FindInt32("index", &number) == B_OK)
		entry["index"] = number;
	if (specifier.FindInt32("range", &number) == B_OK)
		entry["range"] = number;
	if (specifier.FindString("name", &text) == B_OK)
		entry["name"] = text;
	if (specifier.FindInt32("id", &number) == B_OK)
		entry["id"] = number;
	return entry;
}


// A target's specifier chain, written once per target of a deep tree: as its phrase and as
// its JSON items joined by commas, each made from the node's own specifier and its parent's
// chain, so that writing them costs no more than their length.
struct Chain {
	std::string	phrase;
	std::string	items;
};


Chain
chain_of(const ScriptingElement* node, const Chain& parent)
{
	// Under a parent with a chain, the node's own part is one specifier; under one
	// without, it is the whole chain.
	const BMessage* access = node->GetSpecifier();
	BMessage own;
	Chain chain;
	if (access->FindMessage("specifiers", 0, &own) != B_OK)
		return chain;
	chain.items = dump(specifier_json(own));
	if (!parent.items.empty())
		chain.items += "," + parent.items;
	// A chain that starts resolving over somewhere reads otherwise; the analysis makes none.
	if (access->HasInt32("autoresolve") || parent.phrase.empty())
		chain.phrase = specifier_to_str(access, false).String();
	else {
		BMessage single;
		single.AddSpecifier(&own);
		chain.phrase = specifier_to_str(&single, false).String();
		chain.phrase += " of " + parent.phrase;
	}
	return chain;
}


ordered_json
suite_names(const ScriptingElement* node)
{
	ordered_json names = ordered_json::array();
	const char* name;
	for (int32 i = 0; node->GetSuites()->FindString("suites", i, &name) == B_OK; i++)
		names.push_back(name);
	return names;
}


// Calls visit with the name and flattened table of each of node's suites.
template<typename Visit>
void
each_table(const ScriptingElement* node, Visit visit)
{
	const BMessage* suites = node->GetSuites();
	const char* name;
	for (int32 i = 0; suites->FindString("suites", i, &name) == B_OK; i++) {
		const void* data;
		ssize_t size;
		if (suites->FindData("messages", B_PROPERTY_INFO_TYPE, i, &data, &size) == B_OK)
			visit(name, data, size);
	}
}


// The tables of node's suites that are not the first ones met under their names.
ordered_json
differing_tables(const ScriptingElement* node, const SuiteTables& first)
{
	ordered_json tables = ordered_json::object();
	each_table(node, [&](const char* name, const void* data, ssize_t size) {
		auto found = first.find(name);
		if (found == first.end() || found->second.size() != (size_t)size
			|| memcmp(found->second.data(), data, size) != 0)
			tables[name] = table_json(data, size);
	});
	return tables;
}


ordered_json
error_json(const ScriptingElement* node)
{
	return ordered_json{
		{ "request", node->FailedRequest().String() },
		{ "status", strerror(node->Failure()) },
		{ "code", node->Failure() }
	};
}


const char*
kind_of(const ScriptingElement* node)
{
	if (dynamic_cast<const ScriptingApplication*>(node) != NULL)
		return "application";
	if (dynamic_cast<const ScriptingWindow*>(node) != NULL)
		return "window";
	return "view";
}


// Every table met in the tree, the first under each suite name, in the order met. A reply
// met before has nothing new.
void
collect_tables(const ScriptingElement* node, SuiteTables* tables, ordered_json* json,
	std::set<const BMessage*>* seen)
{
	if (seen->insert(node->GetSuites()).second) {
		each_table(node, [&](const char* name, const void* data, ssize_t size) {
			if (tables->emplace(name, std::string(static_cast<const char*>(data), size))
					.second)
				(*json)[name] = table_json(data, size);
		});
	}
	for (int32 i = 0; i < node->CountChildren(); i++)
		collect_tables(node->ChildAt(i), tables, json, seen);
}


// Writes one window or view with its subtree: its own fields through the library, then the
// list of its children around them. complete becomes false at a failure.
void
write_target(FILE* stream, const ScriptingElement* node, const SuiteTables& first,
	DifferingTables* differing, const Chain& parentChain, bool* complete)
{
	ordered_json head = {
		{ "kind", kind_of(node) },
		{ "index", node->GetIndex() },
		{ "internalName", node->GetInternalName().String() },
		{ "name", node->GetName().String() },
		{ "shownName", node->Text() }
	};
	Chain chain = chain_of(node, parentChain);
	ordered_json tail = { { "suites", suite_names(node) } };
	auto known = differing->find(node->GetSuites());
	if (known == differing->end()) {
		known = differing->emplace(node->GetSuites(), differing_tables(node, first))
			.first;
	}
	const ordered_json& ownTables = known->second;
	if (!ownTables.empty())
		tail["tables"] = ownTables;
	if (node->Failure() != B_OK) {
		tail["error"] = error_json(node);
		*complete = false;
	}

	std::string text = dump(head);
	text.pop_back();
	text += ",\"specifier\":" + dump(chain.phrase) + ",\"chain\":[" + chain.items + "],";
	text += dump(tail).substr(1);
	text.pop_back();
	fputs(text.c_str(), stream);
	fputs(",\"views\":[", stream);
	for (int32 i = 0; i < node->CountChildren(); i++) {
		if (i > 0)
			fputc(',', stream);
		write_target(stream, node->ChildAt(i), first, differing, chain, complete);
	}
	fputs("]}", stream);
}


ordered_json
item_json(type_code type, const void* data, ssize_t size)
{
	switch (type) {
		case B_BOOL_TYPE:
			return size >= 1 && *static_cast<const uint8*>(data) != 0;
		case B_INT8_TYPE:
			if (size >= 1)
				return *static_cast<const int8*>(data);
			break;
		case B_INT16_TYPE:
			if (size >= 2) {
				int16 value;
				memcpy(&value, data, sizeof(value));
				return value;
			}
			break;
		case B_INT32_TYPE:
			if (size >= 4) {
				int32 value;
				memcpy(&value, data, sizeof(value));
				return value;
			}
			break;
		case B_INT64_TYPE:
			if (size >= 8) {
				int64 value;
				memcpy(&value, data, sizeof(value));
				return value;
			}
			break;
		case B_FLOAT_TYPE:
			if (size >= 4) {
				float value;
				memcpy(&value, data, sizeof(value));
				return value;
			}
			break;
		case B_DOUBLE_TYPE:
			if (size >= 8) {
				double value;
				memcpy(&value, data, sizeof(value));
				return value;
			}
			break;
		case B_POINT_TYPE:
			if (size >= (ssize_t)sizeof(BPoint)) {
				BPoint point;
				memcpy(&point, data, sizeof(point));
				return ordered_json{ { "x", point.x }, { "y", point.y } };
			}
			break;
		case B_RECT_TYPE:
			if (size >= (ssize_t)sizeof(BRect)) {
				BRect rect;
				memcpy(&rect, data, sizeof(rect));
				return ordered_json{ { "left", rect.left }, { "top", rect.top },
					{ "right", rect.right }, { "bottom", rect.bottom } };
			}
			break;
		case B_STRING_TYPE:
		case B_MIME_TYPE:
			return std::string(static_cast<const char*>(data),
				strnlen(static_cast<const char*>(data), size));
		case B_PROPERTY_INFO_TYPE:
			return table_json(data, size);
		default:
			break;
	}
	std::unique_ptr<char[]> text(format_data(type, data, (int32)size));
	return text.get();
}


// A message's what and its fields, each with its type and its items.
ordered_json
message_json(const BMessage* message, int32 depth)
{
	ordered_json fields = ordered_json::object();
	int32 count = message->CountNames(B_ANY_TYPE);
	for (int32 i = 0; i < count; i++) {
		const char* name;
		type_code type;
		if (message->GetInfo(B_ANY_TYPE, i, &name, &type) != B_OK)
			continue;
		ordered_json items = ordered_json::array();
		const void* data;
		ssize_t size;
		BMessage nested;
		for (int32 j = 0; message->FindData(name, type, j, &data, &size) == B_OK; j++) {
			if (type == B_MESSAGE_TYPE && depth < kMaxMessageDepth
				&& message->FindMessage(name, j, &nested) == B_OK)
				items.push_back(message_json(&nested, depth + 1));
			else
				items.push_back(item_json(type, data, size));
		}
		fields[name] = ordered_json{ { "type", code_name(type) }, { "values", items } };
	}
	return ordered_json{ { "what", code_name(message->what) }, { "fields", fields } };
}

} // namespace


JsonReport::JsonReport(FILE* stream)
	:
	fStream(stream),
	fApplications(0)
{
}


void
JsonReport::Begin()
{
	fputs("{\"applications\":[\n", fStream);
}


bool
JsonReport::AddApplication(const ScriptingApplication* application)
{
	SuiteTables tables;
	ordered_json allTables = ordered_json::object();
	std::set<const BMessage*> seen;
	collect_tables(application, &tables, &allTables, &seen);

	bool complete = true;
	ordered_json fields = {
		{ "kind", "application" },
		{ "signature", application->GetInternalName().String() },
		{ "file", application->GetName().String() },
		{ "team", application->Team() },
		{ "scriptable", application->IsScriptable() }
	};
	fields["suites"] = suite_names(application);
	fields["tables"] = allTables;
	fields["complete"] = !application->GaveUp();
	if (application->Failure() != B_OK) {
		fields["error"] = error_json(application);
		complete = false;
	}
	if (application->GaveUp())
		complete = false;

	if (fApplications++ > 0)
		fputs(",\n", fStream);
	std::string text = dump(fields);
	text.pop_back();
	fputs(text.c_str(), fStream);
	fputs(",\"windows\":[", fStream);
	DifferingTables differing;
	for (int32 i = 0; i < application->CountChildren(); i++) {
		if (i > 0)
			fputc(',', fStream);
		write_target(fStream, application->ChildAt(i), tables, &differing, Chain(),
			&complete);
	}
	fputs("]}", fStream);
	return complete;
}


void
JsonReport::AddMissing(const char* name)
{
	ordered_json fields = {
		{ "kind", "application" },
		{ "name", name },
		{ "error", {
			{ "request", "find application" },
			{ "status", "no running application has this file name or signature" },
			{ "code", B_NAME_NOT_FOUND } } }
	};
	if (fApplications++ > 0)
		fputs(",\n", fStream);
	fputs(dump(fields).c_str(), fStream);
}


void
JsonReport::End()
{
	fputs("\n]}\n", fStream);
	fflush(fStream);
}


void
write_json_message(FILE* stream, const BMessage* message)
{
	fputs(dump(message_json(message, 0)).c_str(), stream);
	fputc('\n', stream);
}
