// Flattening and unflattening messages as scripting traffic produces them: a
// B_GET_SUPPORTED_SUITES reply with three suites of ten properties each, and a small
// request with a specifier chain, and chains copied specifier by specifier.
#include <Message.h>
#include <PropertyInfo.h>

#include <benchmark/benchmark.h>

#include <vector>

namespace {

property_info sWindowProperties[] = {
	{ "Active", { B_GET_PROPERTY, B_SET_PROPERTY }, { B_DIRECT_SPECIFIER }, NULL, 0,
		{ B_BOOL_TYPE } },
	{ "Feel", { B_GET_PROPERTY, B_SET_PROPERTY }, { B_DIRECT_SPECIFIER }, NULL, 0,
		{ B_INT32_TYPE } },
	{ "Flags", { B_GET_PROPERTY, B_SET_PROPERTY }, { B_DIRECT_SPECIFIER }, NULL, 0,
		{ B_INT32_TYPE } },
	{ "Frame", { B_GET_PROPERTY, B_SET_PROPERTY }, { B_DIRECT_SPECIFIER }, NULL, 0,
		{ B_RECT_TYPE } },
	{ "Hidden", { B_GET_PROPERTY, B_SET_PROPERTY }, { B_DIRECT_SPECIFIER }, NULL, 0,
		{ B_BOOL_TYPE } },
	{ "Look", { B_GET_PROPERTY, B_SET_PROPERTY }, { B_DIRECT_SPECIFIER }, NULL, 0,
		{ B_INT32_TYPE } },
	{ "Title", { B_GET_PROPERTY, B_SET_PROPERTY }, { B_DIRECT_SPECIFIER }, NULL, 0,
		{ B_STRING_TYPE } },
	{ "Workspaces", { B_GET_PROPERTY, B_SET_PROPERTY }, { B_DIRECT_SPECIFIER }, NULL, 0,
		{ B_INT32_TYPE } },
	{ "MenuBar", {}, { B_DIRECT_SPECIFIER }, "Directs the request to the key menu bar." },
	{ "View", {}, {}, "Directs the request to the top view without popping a specifier." },
	{ NULL }
};

property_info sViewProperties[] = {
	{ "Frame", { B_GET_PROPERTY, B_SET_PROPERTY }, { B_DIRECT_SPECIFIER },
		"The view's frame rectangle.", 0, { B_RECT_TYPE } },
	{ "Hidden", { B_GET_PROPERTY, B_SET_PROPERTY }, { B_DIRECT_SPECIFIER },
		"Whether or not the view is hidden.", 0, { B_BOOL_TYPE } },
	{ "Shelf", {}, { B_DIRECT_SPECIFIER }, "Directs the request to the view's shelf." },
	{ "View", { B_COUNT_PROPERTIES }, { B_DIRECT_SPECIFIER },
		"Returns the number of child views.", 0, { B_INT32_TYPE } },
	{ "View", {}, { B_INDEX_SPECIFIER, B_REVERSE_INDEX_SPECIFIER, B_NAME_SPECIFIER },
		"Directs the request to the specified child view." },
	{ "Label", { B_GET_PROPERTY, B_SET_PROPERTY }, { B_DIRECT_SPECIFIER },
		"The label.", 0, { B_STRING_TYPE } },
	{ "Value", { B_GET_PROPERTY, B_SET_PROPERTY }, { B_DIRECT_SPECIFIER },
		"The value.", 0, { B_INT32_TYPE } },
	{ "Enabled", { B_GET_PROPERTY, B_SET_PROPERTY }, { B_DIRECT_SPECIFIER },
		"Whether the control is enabled.", 0, { B_BOOL_TYPE } },
	{ "Item", { B_COUNT_PROPERTIES }, { B_DIRECT_SPECIFIER }, "Counts the items.", 0,
		{ B_INT32_TYPE } },
	{ "Item", { B_GET_PROPERTY, B_EXECUTE_PROPERTY }, { B_INDEX_SPECIFIER },
		"Gets or invokes an item.", 0, { B_MESSAGE_TYPE } },
	{ NULL }
};

property_info sHandlerProperties[] = {
	{ "Suites", { B_GET_PROPERTY }, { B_DIRECT_SPECIFIER }, NULL, 0, { B_STRING_TYPE } },
	{ "Messenger", { B_GET_PROPERTY }, { B_DIRECT_SPECIFIER }, NULL, 0, { B_MESSENGER_TYPE } },
	{ "InternalName", { B_GET_PROPERTY }, { B_DIRECT_SPECIFIER }, NULL, 0, { B_STRING_TYPE } },
	{ "Handler", {}, { B_INDEX_SPECIFIER }, "Directs the request to a handler." },
	{ "Handlers", { B_GET_PROPERTY }, { B_DIRECT_SPECIFIER }, NULL, 0, { B_MESSENGER_TYPE } },
	{ "Handler", { B_COUNT_PROPERTIES }, { B_DIRECT_SPECIFIER }, NULL, 0, { B_INT32_TYPE } },
	{ "Name", { B_GET_PROPERTY }, { B_DIRECT_SPECIFIER }, NULL, 0, { B_STRING_TYPE } },
	{ "Window", {}, { B_INDEX_SPECIFIER, B_REVERSE_INDEX_SPECIFIER, B_NAME_SPECIFIER } },
	{ "Window", { B_COUNT_PROPERTIES }, { B_DIRECT_SPECIFIER }, NULL, 0, { B_INT32_TYPE } },
	{ "Looper", {}, { B_INDEX_SPECIFIER, B_NAME_SPECIFIER } },
	{ NULL }
};


BMessage
SuitesReply()
{
	BMessage reply(B_REPLY);
	const char* suites[] = { "suite/vnd.Be-window", "suite/vnd.Be-view",
		"suite/vnd.Be-handler" };
	property_info* tables[] = { sWindowProperties, sViewProperties, sHandlerProperties };
	for (int i = 0; i < 3; i++) {
		BPropertyInfo info(tables[i]);
		reply.AddString("suites", suites[i]);
		reply.AddFlat("messages", &info);
	}
	reply.AddInt32("error", B_OK);
	return reply;
}


BMessage
Request()
{
	BMessage request(B_GET_PROPERTY);
	request.AddSpecifier("Label");
	request.AddSpecifier("View", "fBackView");
	request.AddSpecifier("View", 0);
	request.AddSpecifier("Window", 0);
	return request;
}


void
BM_FlattenSuitesReply(benchmark::State& state)
{
	BMessage reply = SuitesReply();
	std::vector<char> buffer(reply.FlattenedSize());
	for (auto _ : state) {
		reply.Flatten(buffer.data(), buffer.size());
		benchmark::DoNotOptimize(buffer.data());
	}
	state.SetBytesProcessed(state.iterations() * buffer.size());
	state.counters["bytes"] = buffer.size();
}
BENCHMARK(BM_FlattenSuitesReply);


void
BM_UnflattenSuitesReply(benchmark::State& state)
{
	BMessage reply = SuitesReply();
	std::vector<char> buffer(reply.FlattenedSize());
	reply.Flatten(buffer.data(), buffer.size());
	BMessage target;
	for (auto _ : state) {
		if (target.Unflatten(buffer.data(), buffer.size()) != B_OK)
			state.SkipWithError("unflatten failed");
		benchmark::DoNotOptimize(target);
	}
	state.SetBytesProcessed(state.iterations() * buffer.size());
}
BENCHMARK(BM_UnflattenSuitesReply);


// What a reader of the reply does: unflatten it and rebuild each suite's table.
void
BM_ReadSuitesReply(benchmark::State& state)
{
	BMessage reply = SuitesReply();
	std::vector<char> buffer(reply.FlattenedSize());
	reply.Flatten(buffer.data(), buffer.size());
	for (auto _ : state) {
		BMessage target;
		target.Unflatten(buffer.data(), buffer.size());
		const void* data;
		ssize_t size;
		for (int32 i = 0; target.FindData("messages", B_PROPERTY_INFO_TYPE, i, &data, &size)
				== B_OK; i++) {
			BPropertyInfo info;
			if (info.Unflatten(B_PROPERTY_INFO_TYPE, data, size) != B_OK)
				state.SkipWithError("property info unflatten failed");
			benchmark::DoNotOptimize(info.Properties());
		}
	}
}
BENCHMARK(BM_ReadSuitesReply);


// Building the reply from the tables, as a target answering the request does.
void
BM_BuildSuitesReply(benchmark::State& state)
{
	for (auto _ : state) {
		BMessage reply = SuitesReply();
		benchmark::DoNotOptimize(reply);
	}
}
BENCHMARK(BM_BuildSuitesReply);


void
BM_RequestRoundTrip(benchmark::State& state)
{
	BMessage request = Request();
	std::vector<char> buffer(request.FlattenedSize());
	BMessage target;
	for (auto _ : state) {
		request.Flatten(buffer.data(), buffer.size());
		target.Unflatten(buffer.data(), buffer.size());
		benchmark::DoNotOptimize(target);
	}
	state.counters["bytes"] = buffer.size();
}
BENCHMARK(BM_RequestRoundTrip);


// A node's specifier chain copied into a request one specifier at a time, as the
// analysis does for every request it sends: innermost first, read back in order.
void
BM_CopySpecifierChain(benchmark::State& state)
{
	BMessage chain;
	for (int64 i = 0; i < state.range(0); i++)
		chain.AddSpecifier("View", (int32)(i % 7));
	for (auto _ : state) {
		BMessage request(B_GET_PROPERTY);
		request.AddSpecifier("View");
		BMessage specifier;
		for (int32 i = 0; chain.FindMessage("specifiers", i, &specifier) == B_OK; i++)
			request.AddSpecifier(&specifier);
		benchmark::DoNotOptimize(request);
	}
}
BENCHMARK(BM_CopySpecifierChain)->Arg(1)->Arg(50)->Arg(100);


// A request's specifiers read as a looper and its views resolve them: the current one,
// then each popped, from the outermost inwards.
void
BM_ResolveSpecifierChain(benchmark::State& state)
{
	BMessage request(B_GET_PROPERTY);
	request.AddSpecifier("Label");
	for (int64 i = 0; i < state.range(0); i++)
		request.AddSpecifier("View", (int32)(i % 7));
	for (auto _ : state) {
		BMessage message(request);
		BMessage specifier;
		int32 index;
		int32 what;
		const char* property;
		while (message.GetCurrentSpecifier(&index, &specifier, &what, &property) == B_OK
			&& index >= 0) {
			benchmark::DoNotOptimize(property);
			message.PopSpecifier();
		}
	}
}
BENCHMARK(BM_ResolveSpecifierChain)->Arg(1)->Arg(50)->Arg(100);

} // namespace

BENCHMARK_MAIN();
