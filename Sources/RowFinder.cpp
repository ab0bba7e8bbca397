#include "RowFinder.h"

#include <OutlineListView.h>

#include "ScriptingElement.h"


RowFinder::RowFinder()
	:
	fLastKey(0)
{
}


bool
RowFinder::Type(const char* bytes, bigtime_t now)
{
	bool fresh = fText.Length() == 0 || now - fLastKey > kFindPause;
	if (fresh)
		fText = "";
	fText << bytes;
	fLastKey = now;
	return fresh;
}


void
RowFinder::Clear()
{
	fText = "";
	fLastKey = 0;
}


static bool
Matches(const ScriptingElement* row, const char* text)
{
	return BString(row->Text()).IFindFirst(text) >= 0
		|| BString(row->DynamicText()).IFindFirst(text) >= 0
		|| row->GetInternalName().IFindFirst(text) >= 0;
}


int32
RowFinder::Find(const BOutlineListView* list, int32 fromFullIndex, const char* text)
{
	int32 count = list->FullListCountItems();
	if (count == 0 || text[0] == '\0')
		return -1;
	if (fromFullIndex < 0 || fromFullIndex >= count)
		fromFullIndex = 0;
	for (int32 i = 0; i < count; i++) {
		int32 index = (fromFullIndex + i) % count;
		const ScriptingElement* row
			= static_cast<const ScriptingElement*>(list->FullListItemAt(index));
		if (row != NULL && Matches(row, text))
			return index;
	}
	return -1;
}
