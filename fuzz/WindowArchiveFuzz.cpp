// Instantiates windows and alerts from arbitrary archives on the offscreen display. The
// first byte chooses the class the archive is taken as; the rest is a flattened message,
// the window's views instantiated with it. Whatever comes back must have a frame whose
// pixels can be had, lay out, archive again and quit.
#include <Alert.h>
#include <Message.h>
#include <Window.h>

#include <math.h>
#include <stdint.h>
#include <stdlib.h>

#include "FuzzArchive.h"
#include "FuzzCheck.h"

namespace {

const char* const kClasses[] = { "BWindow", "BAlert" };

// The largest frame an archive may give a window (docs/archives.md).
const float kMaxWindowSize = 8192;

} // namespace


extern "C" int
LLVMFuzzerInitialize(int* argc, char*** argv)
{
	setenv("BE_DISPLAY", "offscreen", 1);
	return 0;
}


extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	BMessage archive;
	if (!fuzzed_archive(data, size, kClasses, &archive))
		return 0;

	BWindow* window = dynamic_cast<BWindow*>(instantiate_object(&archive));
	Check(window != NULL);
	BRect frame = window->Frame();
	Check(isfinite(frame.left) && isfinite(frame.top) && frame.IsValid());
	Check(frame.Width() <= kMaxWindowSize && frame.Height() <= kMaxWindowSize);
	float minWidth, maxWidth, minHeight, maxHeight;
	window->GetSizeLimits(&minWidth, &maxWidth, &minHeight, &maxHeight);
	Check(minWidth <= maxWidth && minHeight <= maxHeight);
	Check(window->PulseRate() == 0 || window->PulseRate() >= 10000);
	if (BAlert* alert = dynamic_cast<BAlert*>(window)) {
		Check(alert->CountButtons() >= 0 && alert->CountButtons() <= 3);
		Check(alert->Text() != NULL);
		alert->SetText("laid out again");
	}
	BMessage again;
	Check(window->Archive(&again, true) == B_OK);
	window->Quit();
	return 0;
}
