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
	if (fHeld)
		fLines.emplace_back(stream, text);
	else if (fParent != NULL)
		fParent->Write(stream, text);
	else
		fputs(text.c_str(), stream == stderr ? fErrors : fOutput);
}


void
AnalysisLog::Release()
{
	if (!fHeld)
		return;
	fHeld = false;
	for (const auto& [stream, text] : fLines)
		Write(stream, text);
	fLines.clear();
	fLines.shrink_to_fit();
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
