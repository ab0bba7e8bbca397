// The rows of a list view: every item in order, each with its outline level, its height
// and whether it is shown. A plain list shows every row; an outline hides the rows under
// collapsed items. Two Fenwick trees count and stack the shown rows, so that the shown
// position of a row, the row at a shown position or at a height, and the top of a row
// cost O(log n), and showing or hiding a row costs O(log n) without moving any other.
// Appending costs O(1) amortised (as do the first and last shown rows and the top of the
// last row, which an append asks for); inserting or removing elsewhere costs one shift of
// the rows behind and one linear rebuild of the trees.
//
// A row is its item's Height() + 1 pixels tall: its frame runs from its top to top +
// Height(). Each item remembers its index here, so finding an item is O(1).
#ifndef _LIST_ROWS_H
#define _LIST_ROWS_H

#include <SupportDefs.h>

#include <functional>
#include <vector>

class BListItem;

namespace BPrivate {

class ListRows {
public:
			int32				CountAll() const { return (int32)fRows.size(); }
			int32				CountShown() const { return fShownCount; }
			float				TotalHeight() const { return (float)fShownHeight; }
			// Counts the changes that moved rows (all but appending, showing, hiding
			// and measuring), so that a caller can tell whether indexes it kept hold.
			uint32				Moves() const { return fMoves; }

			// Every row; NULL (level 0, hidden) outside.
			BListItem*			ItemAt(int32 index) const;
			uint32				LevelAt(int32 index) const;
			bool				IsShown(int32 index) const;
			// The pixels the row takes (its item's height + 1 when last measured).
			float				HeightOf(int32 index) const;
			// -1 when the item is not here.
			int32				IndexOf(const BListItem* item) const;

			// Shown rows. The shown position of a hidden row is -1, as is the row of a
			// position or height that no shown row covers.
			int32				ShownIndexOf(int32 index) const;
			// The number of shown rows before index (the shown position it would take).
			int32				ShownBefore(int32 index) const;
			int32				IndexOfShown(int32 shownIndex) const;
			int32				IndexAtHeight(float y) const;
			// The sum of the heights of the shown rows before index.
			float				TopOf(int32 index) const;

			// Reads each item's height. An item here already is refused (false).
			bool				Insert(int32 index, BListItem* const* items, int32 count,
									bool shown);
			void				Remove(int32 index, int32 count);
			void				Clear();
			void				SetShown(int32 index, bool shown);
			// Reads the item's height again.
			void				Remeasure(int32 index);
			void				Swap(int32 a, int32 b);
			void				Move(int32 from, int32 to);
			// Rearranges the rows from from on: row from + i becomes the row that was
			// at from + order[i]. order must be a permutation of 0 to its size - 1.
			void				Reorder(int32 from, const std::vector<int32>& order);
			void				Sort(const std::function<bool(BListItem*, BListItem*)>&
									less);

private:
			struct Row {
				BListItem*		item;
				float			height;
				uint32			level;
				bool			shown;
			};

			void				_Add(int32 index, int32 count, double height);
			void				_Rebuild(int32 from);
			void				_AppendNode();

			std::vector<Row>	fRows;
			// 1-based Fenwick trees over the shown rows: counts and heights.
			std::vector<int32>	fCounts;
			std::vector<double>	fHeights;
			int32				fShownCount = 0;
			double				fShownHeight = 0;
			uint32				fMoves = 0;
};

} // namespace BPrivate

#endif // _LIST_ROWS_H
