// Feeds arbitrary bytes to BTranslationUtils::GetStyledText as a styled text stream, which
// reads its records and the flattened run array of its style record into a text view.
#include <DataIO.h>
#include <TextView.h>
#include <TranslationUtils.h>

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	static BTextView* stView = [] {
		BTextView* view = new BTextView(BRect(0, 0, 199, 99), "text", BRect(0, 0, 199, 99),
			B_FOLLOW_NONE, B_WILL_DRAW);
		view->SetStylable(true);
		return view;
	}();
	stView->SetText("");
	BMemoryIO stream(data, size);
	BTranslationUtils::GetStyledText(&stream, stView);
	return 0;
}
