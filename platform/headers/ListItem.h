// One row of a list view: its height and width, whether it is selected and enabled, and,
// in an outline list, its outline level and whether its subitems are shown. The list owns
// nothing of the item's contents.
#ifndef _LIST_ITEM_H
#define _LIST_ITEM_H

#include <Archivable.h>

class BListItem : public BArchivable {
public:
	BListItem(uint32 outlineLevel = 0, bool expanded = true);
	virtual ~BListItem();

	float Height() const;
	float Width() const;
	void SetHeight(float height);
	void SetWidth(float width);

	bool IsSelected() const;
	void Select();
	void Deselect();

	virtual void SetEnabled(bool enabled);
	bool IsEnabled() const;

	bool IsExpanded() const;
	void SetExpanded(bool expanded);
	uint32 OutlineLevel() const;
	void SetOutlineLevel(uint32 level);

private:
	BListItem(const BListItem&) = delete;
	BListItem& operator=(const BListItem&) = delete;

	float fWidth;
	float fHeight;
	uint32 fLevel;
	bool fSelected;
	bool fEnabled;
	bool fExpanded;
};

#endif // _LIST_ITEM_H
