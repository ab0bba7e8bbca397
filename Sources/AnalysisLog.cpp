#include "AnalysisLog.h"

#include <stdarg.h>

#include "ScriptingUtils.h"


AnalysisLog*
AnalysisLog::Streams()
{
	// Never destroyed: analyses that outlive the program's end still log.
	static AnalysisLog* streams = new AnalysisLog(stdout, stderr);
	return streams;
}


AnalysisLog::AnalysisLog(FILE* output, FILE* errors)
	:
	fOutput(output),
	fErrors(errors)
{
}


AnalysisLog::AnalysisLog(AnalysisLog* parent)
	:
	fParent(parent),
	fHeld(true)
{
}


void
AnalysisLog::Print(FILE* stream, const char* format, ...)
{
	std::string text;
	va_list args;
	va_start(args, format);
	vappend_format(text, format, args);
	va_end(args);
	Write(stream, text);
}


void
AnalysisLog::Write(FILE* stream, const std::string& text)
{
	AnalysisLog* log = _Destination();
	if (log->fHeld)
		log->fLines.emplace_back(stream, text);
	else
		log->_Put(stream, text);
}


void
AnalysisLog::Release()
{
	if (!fHeld)
		return;
	fHeld = false;
	AnalysisLog* log = _Destination();
	for (auto& line : fLines) {
		if (log->fHeld)
			log->fLines.push_back(std::move(line));
		else
			log->_Put(line.first, line.second);
	}
	fLines.clear();
	fLines.shrink_to_fit();
}


AnalysisLog*
AnalysisLog::_Destination()
{
	// A released log never holds again but passes on: its lines go to the first log above
	// that holds, or out. The logs passed over are skipped from then on, so that a line
	// deep in a tree is not handed up level by level.
	AnalysisLog* log = this;
	while (!log->fHeld && log->fParent != NULL)
		log = log->fParent;
	if (!fHeld && fParent != NULL)
		fParent = log;
	return log;
}


void
AnalysisLog::_Put(FILE* stream, const std::string& text)
{
	fputs(text.c_str(), stream == stderr ? fErrors : fOutput);
}


AnalysisLog*
ChildLogs::Add()
{
	fChildren.push_back({ std::make_unique<AnalysisLog>(fParent), false });
	AnalysisLog* log = fChildren.back().log.get();
	_Advance();
	return log;
}


void
ChildLogs::Ended(int32 index)
{
	fChildren[index].ended = true;
	_Advance();
}


void
ChildLogs::_Advance()
{
	// The first child still running writes through; those that ended before it are
	// passed on in their order.
	for (; fFirst < fChildren.size(); fFirst++) {
		fChildren[fFirst].log->Release();
		if (!fChildren[fFirst].ended)
			break;
	}
}
