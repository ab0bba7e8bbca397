// The rows of one application in the browser's outline, replaced by those of a newer
// analysis of the same application.
#ifndef APPLICATION_ROWS_H
#define APPLICATION_ROWS_H

#include <String.h>

class BOutlineListView;
class ScriptingElement;

// Where a node stands in its application: its specifier chain as text, empty for the
// application itself. Nodes of two analyses of one application that address the same
// target have the same path.
BString TargetPath(const ScriptingElement* node);

// The application node above node (node itself for an application row); NULL when node
// is not in list.
ScriptingElement* ApplicationOf(BOutlineListView* list, ScriptingElement* node);

// Puts fresh and its subtree where old and its subtree are in list, and takes old's rows
// out (old stays the caller's). Rows of fresh whose path was expanded are expanded, and a
// selection in old's rows moves to the row of the same path when there is one. The
// caller holds the list's window locked.
void ReplaceApplicationRows(BOutlineListView* list, ScriptingElement* old,
	ScriptingElement* fresh);

#endif // APPLICATION_ROWS_H
