// Feeds arbitrary bytes to a text view as text from another process would come (a
// scripting "Text" set): whatever the bytes, the text kept is valid UTF-8, every offset
// the view reports lies on a character boundary, and editing lays the text out as laying
// out the whole text would. The first bytes choose the edits; the rest is the text.
#include <TextView.h>

#include "interface/TextLayout.h"

#include <stdint.h>
#include <stdlib.h>
#include <string>

#include "FuzzCheck.h"

namespace {

bool
IsBoundary(const BTextView& view, int32 offset)
{
	return offset == view.TextLength() || (view.ByteAt(offset) & 0xc0) != 0x80;
}

} // namespace


extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	if (size < 6)
		return 0;
	BTextView view(BRect(0, 0, 99, 99), "text", BRect(0, 0, 99, 99), B_FOLLOW_NONE,
		B_WILL_DRAW);
	const char* text = (const char*)data + 6;
	int32 length = (int32)size - 6;
	view.SetText(text, length);
	std::string kept = view.Text();
	Check(BPrivate::utf8_sanitized(kept.data(), (int32)kept.size()) == kept);

	int32 a = data[0] * 7 % (length + 1);
	int32 b = data[1] * 13 % (length + 1);
	view.Select(a, b);
	int32 start;
	int32 end;
	view.GetSelection(&start, &end);
	Check(start <= end && end <= view.TextLength());
	Check(IsBoundary(view, start) && IsBoundary(view, end));

	view.Delete(data[2] % (length + 1), data[3] % (length + 1));
	view.Insert(data[4] % (view.TextLength() + 1), text, std::min(length, (int32)data[5]));
	kept = view.Text();
	Check(BPrivate::utf8_sanitized(kept.data(), (int32)kept.size()) == kept);

	BTextView fresh(BRect(0, 0, 99, 99), "fresh", BRect(0, 0, 99, 99), B_FOLLOW_NONE,
		B_WILL_DRAW);
	fresh.SetText(view.Text());
	Check(fresh.CountLines() == view.CountLines());
	for (int32 line = 0; line < view.CountLines(); line++) {
		Check(view.OffsetAt(line) == fresh.OffsetAt(line));
		Check(IsBoundary(view, view.OffsetAt(line)));
	}
	for (int32 offset = 0; offset <= view.TextLength(); offset++) {
		BPoint point = view.PointAt(offset);
		Check(point == fresh.PointAt(offset));
		Check(IsBoundary(view, view.OffsetAt(point)));
	}
	return 0;
}
