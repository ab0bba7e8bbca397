#include "ApplicationRows.h"

#include <OutlineListView.h>

#include <set>
#include <string>

#include "ScriptingElement.h"
#include "ScriptingUtils.h"


BString
TargetPath(const ScriptingElement* node)
{
	// Made aside: every row of a tree is asked, and none keeps its whole chain.
	BMessage chain(B_MESSAGE_TYPE);
	node->AppendAccess(&chain);
	return specifier_to_str(&chain, false);
}


ScriptingElement*
ApplicationOf(BOutlineListView* list, ScriptingElement* node)
{
	BListItem* item = node;
	if (!list->FullListHasItem(item))
		return NULL;
	while (item != NULL && item->OutlineLevel() > 0)
		item = list->Superitem(item);
	return static_cast<ScriptingElement*>(item);
}


void
ReplaceApplicationRows(BOutlineListView* list, ScriptingElement* old,
	ScriptingElement* fresh)
{
	int32 index = list->FullListIndexOf(old);
	if (index < 0)
		return;
	int32 count = 1 + list->CountItemsUnder(old, false);

	std::set<std::string> expanded;
	for (int32 i = index; i < index + count; i++) {
		ScriptingElement* row = static_cast<ScriptingElement*>(list->FullListItemAt(i));
		if (row->IsExpanded())
			expanded.insert(TargetPath(row).String());
	}
	int32 selection = list->FullListCurrentSelection();
	bool selectedHere = selection >= index && selection < index + count;
	std::string selectedPath;
	if (selectedHere) {
		selectedPath = TargetPath(
			static_cast<ScriptingElement*>(list->FullListItemAt(selection))).String();
	}

	list->RemoveItem(old);
	int32 end = fresh->InsertIntoView(list, index);

	// Superitems come first in the full list, so each row's latch is set before its
	// subitems are looked at.
	ScriptingElement* select = NULL;
	for (int32 i = index; i < end; i++) {
		ScriptingElement* row = static_cast<ScriptingElement*>(list->FullListItemAt(i));
		std::string path = TargetPath(row).String();
		if (expanded.count(path) > 0)
			list->Expand(row);
		if (selectedHere && select == NULL && path == selectedPath)
			select = row;
	}
	if (select != NULL) {
		int32 shown = list->IndexOf(select);
		if (shown >= 0)
			list->Select(shown);
	}
}
