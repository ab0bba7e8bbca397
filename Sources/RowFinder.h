// Finding rows of the outline by typing: the text typed so far, and the next row in tree
// order whose names contain it.
//
// Keys typed within kFindPause of each other make one search; after a longer pause the
// next key starts a new one. Text is compared without regard to ASCII case.
#ifndef ROW_FINDER_H
#define ROW_FINDER_H

#include <OS.h>
#include <String.h>

class BOutlineListView;

// The pause after which the next key typed starts a new search.
const bigtime_t kFindPause = 1000000;

class RowFinder {
public:
							RowFinder();

	// Adds the typed bytes at time now (system_time()); returns true when they start a
	// new search.
			bool			Type(const char* bytes, bigtime_t now);
	// Ends the search.
			void			Clear();
			const BString&	Text() const { return fText; }
			bool			IsSearching() const { return fText.Length() > 0; }

	// The full-list index of the first row, in tree order from fromFullIndex on and
	// around past the end, whose shown texts or internal name contain text; -1 when no
	// row does. The rows are ScriptingElements.
	static	int32			Find(const BOutlineListView* list, int32 fromFullIndex,
								const char* text);

private:
			BString			fText;
			bigtime_t		fLastKey;
};

#endif // ROW_FINDER_H
