// JSON for machines: the analysed trees of applications as one document, and single messages
// (the replies of requests sent from the command line). The fields are described in
// docs/quorvane-json.md. Text from other applications becomes JSON strings, with bytes that
// are not UTF-8 replaced by U+FFFD, so the output always parses.
//
// The document is written as it goes: each target's own fields are made and written in turn,
// so memory does not grow with the length of the output.
#ifndef JSON_REPORT_H
#define JSON_REPORT_H

#include <SupportDefs.h>

#include <stdio.h>

class BMessage;
class ScriptingApplication;


class JsonReport {
public:
	// Writes to stream, which stays the caller's.
							JsonReport(FILE* stream);

	// Opens the document and its list of applications.
			void			Begin();
	// An analysed application with its tree. Returns false when anything in it failed
	// (an error object was written, or the analysis stopped at one of its limits).
			bool			AddApplication(const ScriptingApplication* application);
	// A name given on the command line that no running application has.
			void			AddMissing(const char* name);
	// Closes the list and the document, with a newline.
			void			End();

private:
			FILE*			fStream;
			int32			fApplications;
};


// Writes message as one JSON object and a newline.
void write_json_message(FILE* stream, const BMessage* message);

#endif // JSON_REPORT_H
