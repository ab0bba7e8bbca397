// One row of a list view: its height and width, whether it is selected and enabled, and,
// in an outline list, its outline level and whether its subitems are shown. Subclasses
// draw the row in DrawItem; the list calls Update when the item is added and whenever the
// list's font changes. The list owns nothing of the item's contents.
#ifndef _LIST_ITEM_H
#define _LIST_ITEM_H

#include <Archivable.h>
#include <Rect.h>

class BFont;
class BView;

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

	// Draws the row into owner within frame; with complete set, the background too.
	virtual void DrawItem(BView* owner, BRect frame, bool complete = false) = 0;
	// Takes the owner's width and the font's line height (ascent, descent and leading,
	// rounded up).
	virtual void Update(BView* owner, const BFont* font);

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
