// The log of an analysis (its lines on standard output, its failures on standard error),
// in the order of the tree even when sibling subtrees are analysed side by side on the
// AnalysisLooper: the lines of a subtree are held until every subtree before it has ended,
// then go on, in order, to the log above it, and whatever follows goes straight through.
// Used on the one thread that runs the analysis; it takes no lock.
#ifndef ANALYSIS_LOG_H
#define ANALYSIS_LOG_H

#include <SupportDefs.h>

#include <stdio.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

class AnalysisLog {
public:
	// The log that writes to standard output and standard error at once.
	static	AnalysisLog*	Streams();

	// A log that writes at once what is meant for standard error to errors, and the rest
	// to output.
							AnalysisLog(FILE* output, FILE* errors);
	// A log whose lines are held until Release, then written to parent.
	explicit				AnalysisLog(AnalysisLog* parent);

	// stream is stdout or stderr: which of the two the line is meant for.
			void			Print(FILE* stream, const char* format, ...)
								__attribute__((format(printf, 3, 4)));
			void			Write(FILE* stream, const std::string& text);
	// Passes on what is held, and from then on every line as it comes.
			void			Release();

private:
	// This log while it holds, else the first log above it that holds or writes out.
			AnalysisLog*	_Destination();
	// Writes out (only the log that has no parent).
			void			_Put(FILE* stream, const std::string& text);

			AnalysisLog*	fParent = NULL;
			FILE*			fOutput = NULL;
			FILE*			fErrors = NULL;
			bool			fHeld = false;
			std::vector<std::pair<FILE*, std::string>> fLines;
};


// The logs of the children of one node, made in the children's order: each holds its
// lines until the children before it have ended.
class ChildLogs {
public:
	explicit				ChildLogs(AnalysisLog* parent) : fParent(parent) {}

	// The log of the next child.
			AnalysisLog*	Add();
	// The child of that index has logged its last line.
			void			Ended(int32 index);

private:
			void			_Advance();

	struct Child {
		std::unique_ptr<AnalysisLog> log;
		bool				ended;
	};

			AnalysisLog*	fParent;
			std::vector<Child> fChildren;
	// The first child that has not ended: its log is released.
			size_t			fFirst = 0;
};

#endif // ANALYSIS_LOG_H
