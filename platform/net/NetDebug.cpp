// BNetDebug: tracing to standard error while enabled.
#include <NetDebug.h>

#include <stdio.h>

#include <atomic>

namespace {

std::atomic<bool> stEnabled{false};
// Bytes shown on one line of a dump.
const size_t kDumpBytesPerLine = 16;

} // namespace


void
BNetDebug::Enable(bool enable)
{
	stEnabled = enable;
}


bool
BNetDebug::IsEnabled()
{
	return stEnabled;
}


void
BNetDebug::Print(const char* message)
{
	if (!stEnabled || message == NULL)
		return;
	fprintf(stderr, "%s\n", message);
}


void
BNetDebug::Dump(const char* data, size_t size, const char* title)
{
	if (!stEnabled)
		return;
	fprintf(stderr, "----------\n%s\n(dumping %zu bytes)\n", title != NULL ? title : "",
		size);
	if (data == NULL)
		return;
	for (size_t line = 0; line < size; line += kDumpBytesPerLine) {
		fprintf(stderr, "%08zx  ", line);
		for (size_t i = 0; i < kDumpBytesPerLine; i++) {
			if (line + i < size)
				fprintf(stderr, "%02x ", (unsigned char)data[line + i]);
			else
				fputs("   ", stderr);
		}
		fputs(" ", stderr);
		for (size_t i = 0; i < kDumpBytesPerLine && line + i < size; i++) {
			unsigned char c = data[line + i];
			fputc(c >= 0x20 && c < 0x7f ? c : '.', stderr);
		}
		fputc('\n', stderr);
	}
}
