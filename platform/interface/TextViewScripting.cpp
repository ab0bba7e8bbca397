// BTextView's messages: the editing commands a menu sends, and the text view suite. One
// table drives resolving, listing and answering: each row's extra_data names what the
// row asks for, and the answer switches on it.
#include <TextView.h>

#include "interface/WidgetScripting.h"

#include <Clipboard.h>
#include <Message.h>
#include <PropertyInfo.h>

#include <algorithm>
#include <string.h>

namespace {

enum {
	kTextProperty = 1,
	kTextLengthProperty,
	kSelectionProperty
};

property_info stTextViewProperties[] = {
	{ "Text", { B_GET_PROPERTY, B_SET_PROPERTY }, { B_DIRECT_SPECIFIER, B_RANGE_SPECIFIER,
			B_REVERSE_RANGE_SPECIFIER },
		"The text, or the bytes of a range of it (\"index\", \"range\").", kTextProperty,
		{ B_STRING_TYPE } },
	{ "Text", { B_COUNT_PROPERTIES }, { B_DIRECT_SPECIFIER },
		"Returns the length of the text in bytes.", kTextLengthProperty, { B_INT32_TYPE } },
	{ "Selection", { B_GET_PROPERTY, B_SET_PROPERTY }, { B_DIRECT_SPECIFIER },
		"The selection: its start and end offsets, two int32 values.", kSelectionProperty,
		{ B_INT32_TYPE } },
	{ NULL }
};

} // namespace


void
BTextView::MessageReceived(BMessage* message)
{
	if (message->WasDropped() && _MessageDropped(message))
		return;
	switch (message->what) {
		case B_CUT:
			Cut(be_clipboard);
			return;
		case B_COPY:
			Copy(be_clipboard);
			return;
		case B_PASTE:
			Paste(be_clipboard);
			return;
		case B_SELECT_ALL:
			if (fSelectable)
				SelectAll();
			return;
		case B_UNDO:
			Undo(NULL);
			return;
	}

	BMessage specifier;
	int32 index;
	int32 form;
	const char* property;
	uint32 tag = 0;
	if (message->HasSpecifiers()
		&& message->GetCurrentSpecifier(&index, &specifier, &form, &property) == B_OK) {
		BPropertyInfo info(stTextViewProperties);
		if (info.FindMatch(message, index, &specifier, form, property, &tag) >= 0) {
			_HandleScripting(message, tag);
			return;
		}
	}
	BView::MessageReceived(message);
}


// The bytes a "Text" request names: all of them, or its range (from the end for a reverse
// range), kept within the text and moved to character boundaries.
bool
BTextView::_ScriptingRange(BMessage* message, int32* from, int32* to)
{
	BMessage specifier;
	int32 index;
	int32 form;
	const char* property;
	*from = 0;
	*to = TextLength();
	if (message->GetCurrentSpecifier(&index, &specifier, &form, &property) != B_OK)
		return false;
	if (form != B_RANGE_SPECIFIER && form != B_REVERSE_RANGE_SPECIFIER)
		return true;
	int32 start;
	int32 range;
	if (specifier.FindInt32("index", &start) != B_OK
		|| specifier.FindInt32("range", &range) != B_OK || start < 0 || range < 0) {
		return false;
	}
	int64 first = start;
	if (form == B_REVERSE_RANGE_SPECIFIER)
		first = (int64)TextLength() - start - range;
	if (first < 0 || first > TextLength())
		return false;
	*from = (int32)first;
	*to = (int32)std::min(first + range, (int64)TextLength());
	return true;
}


void
BTextView::_HandleScripting(BMessage* message, uint32 property)
{
	BMessage reply;
	status_t status = B_OK;
	bool get = message->what == B_GET_PROPERTY;
	switch (property) {
		case kTextProperty:
		{
			int32 from;
			int32 to;
			const char* text;
			if (!_ScriptingRange(message, &from, &to))
				status = B_BAD_INDEX;
			else if (get)
				reply.AddString("result", fText.substr(from, to - from).c_str());
			else if ((status = message->FindString("data", &text)) == B_OK) {
				// Setting replaces the bytes named, as if typed over them.
				if (from == 0 && to == TextLength())
					SetText(text);
				else {
					Delete(from, to);
					Insert(from, text, (int32)strlen(text));
				}
			}
			break;
		}
		case kTextLengthProperty:
			reply.AddInt32("result", TextLength());
			break;
		case kSelectionProperty:
		{
			int32 start;
			int32 end;
			if (get) {
				reply.AddInt32("result", fSelectionStart);
				reply.AddInt32("result", fSelectionEnd);
			} else if ((status = message->FindInt32("data", 0, &start)) == B_OK
				&& (status = message->FindInt32("data", 1, &end)) == B_OK) {
				Select(start, end);
			}
			break;
		}
		default:
			status = B_BAD_SCRIPT_SYNTAX;
			break;
	}
	BPrivate::reply_result(message, &reply, status);
}


BHandler*
BTextView::ResolveSpecifier(BMessage* message, int32 index, BMessage* specifier,
	int32 form, const char* property)
{
	BPropertyInfo info(stTextViewProperties);
	if (info.FindMatch(message, index, specifier, form, property) >= 0)
		return this;
	return BView::ResolveSpecifier(message, index, specifier, form, property);
}


status_t
BTextView::GetSupportedSuites(BMessage* data)
{
	status_t status = BPrivate::add_suite(data, "suite/vnd.Be-text-view",
		stTextViewProperties);
	if (status == B_OK)
		status = BView::GetSupportedSuites(data);
	return status;
}
