#include "JsonMode.h"

#include <List.h>

#include <stdio.h>

#include "ExitStatus.h"
#include "JsonReport.h"
#include "ScriptingTargets.h"


// How much of the document is written to standard output at once (the C library would
// use 4 KiB: a system call each was a tenth of those of an analysis of many views).
static const size_t kJsonOutputBuffer = 64 * 1024;
static char stJsonOutput[kJsonOutputBuffer];


int
run_json_mode(const std::vector<const char*>& names, const char* leaveOut, bigtime_t timeout)
{
	// NULL stands for a name that matched no running application.
	std::vector<ScriptingApplication*> nodes;
	if (names.empty()) {
		BList* running = GetRunningApplications(leaveOut);
		for (int32 i = 0; i < running->CountItems(); i++)
			nodes.push_back(static_cast<ScriptingApplication*>(running->ItemAt(i)));
		delete running;
	} else {
		for (const char* name : names)
			nodes.push_back(CreateScriptingApplication(name));
	}

	// Every application's analysis waits for its turn on a thread of its own and then
	// runs, with several requests in flight, on the process's AnalysisLooper; this thread
	// only waits for the analyses, each bounded by its budget.
	for (ScriptingApplication* node : nodes) {
		if (node == NULL)
			continue;
		node->Budget()->SetRequestTimeout(timeout);
		node->Budget()->SetLogged(false);
		node->AnalyzeApplication();
	}

	setvbuf(stdout, stJsonOutput, _IOFBF, sizeof(stJsonOutput));
	bool complete = true;
	JsonReport report(stdout);
	report.Begin();
	for (size_t i = 0; i < nodes.size(); i++) {
		ScriptingApplication* node = nodes[i];
		if (node == NULL) {
			report.AddMissing(names[i]);
			complete = false;
			continue;
		}
		// Without an application object the analysis keeps the node: this waits for its
		// thread.
		node->AnalysisEnded();
		if (!report.AddApplication(node))
			complete = false;
		delete node;
	}
	report.End();
	return complete ? kExitSuccess : kExitFailure;
}
