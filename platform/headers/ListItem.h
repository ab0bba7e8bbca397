// One row of a list view: its height and width, whether it is selected and enabled, and,
// in an outline list, its outline level and whether its subitems are shown. Subclasses
// draw the row in DrawItem; the list calls Update when the item is added and whenever the
// list's font changes. A list does not own its items: whoever adds an item deletes it,
// after taking it out. An item belongs to at most one list at a time.
#ifndef _LIST_ITEM_H
#define _LIST_ITEM_H

#include <Archivable.h>
#include <Rect.h>

class BFont;
class BView;

class BListItem : public BArchivable {
public:
	BListItem(uint32 outlineLevel = 0, bool expanded = true);
	// The item of an archive: "_sel", "_disable", "_li_expanded" (bool) and
	// "_li_outline_level" (int32, at most 255 levels).
	BListItem(BMessage* archive);
	virtual ~BListItem();

	virtual status_t Archive(BMessage* archive, bool deep = true) const;

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

	class Private;

private:
	friend class Private;

	BListItem(const BListItem&) = delete;
	BListItem& operator=(const BListItem&) = delete;

	float fWidth;
	float fHeight;
	uint32 fLevel;
	bool fSelected;
	bool fEnabled;
	bool fExpanded;
	// Where the list that holds the item last put it; checked before use.
	int32 fListIndex;
};


// A row that shows one line of text.
class BStringItem : public BListItem {
public:
	BStringItem(const char* text, uint32 outlineLevel = 0, bool expanded = true);
	// The item of an archive: the list item's fields and "_label", the text.
	BStringItem(BMessage* archive);
	virtual ~BStringItem();

	static BArchivable* Instantiate(BMessage* archive);
	virtual status_t Archive(BMessage* archive, bool deep = true) const;

	virtual void DrawItem(BView* owner, BRect frame, bool complete = false);
	// As BListItem, and places the text's baseline in the row.
	virtual void Update(BView* owner, const BFont* font);

	// Copies the text.
	virtual void SetText(const char* text);
	const char* Text() const;

protected:
	float BaselineOffset() const;

private:
	char* fText;
	float fBaselineOffset;
};

#endif // _LIST_ITEM_H
