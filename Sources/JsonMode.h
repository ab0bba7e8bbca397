// Quorvane --json: the analysis that the window shows (the same requests, the same tree),
// run without a window and without the log, written as one JSON document to standard output.
#ifndef JSON_MODE_H
#define JSON_MODE_H

#include <OS.h>

#include <vector>

// Analyses the running applications named (by file name or signature), or with none named
// every running application but the one signed leaveOut, side by side, each request waiting
// at most timeout and each keeping up to kMaxRequestsInFlight requests in flight. Writes the document (JsonReport.h) to standard output as the analyses
// end, in the roster's order or the order named, and returns the exit status
// (ExitStatus.h): failure when a name matched nothing or a target failed.
int run_json_mode(const std::vector<const char*>& names, const char* leaveOut,
	bigtime_t timeout);

#endif // JSON_MODE_H
