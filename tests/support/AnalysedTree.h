// The target tree of a running application, analysed in the test's own process as Quorvane
// analyses it, without the log on standard output.
#ifndef _ANALYSED_TREE_H
#define _ANALYSED_TREE_H

#include <OS.h>

#include <functional>
#include <memory>

#include "ScriptingTargets.h"
#include "WaitFor.h"

// The application's tree once it holds at least windows windows (its windows may open a
// little after it registers), or the last one made when none did within kWaitTimeout;
// NULL when no running application has that name.
inline std::unique_ptr<ScriptingApplication>
analysed_tree(const char* name, int32 windows)
{
	std::unique_ptr<ScriptingApplication> tree;
	// Each attempt analyses the whole application: not too often.
	wait_for([&] {
		tree.reset(CreateScriptingApplication(name));
		if (tree == nullptr)
			return true;
		tree->Budget()->SetLogged(false);
		tree->Analyze(0);
		return tree->CountChildren() >= windows;
	}, kWaitTimeout, 50000);
	return tree;
}


// Calls visit with every node below node, in pre-order.
inline void
for_each_target(const ScriptingElement* node,
	const std::function<void(const ScriptingElement*)>& visit)
{
	for (int32 i = 0; i < node->CountChildren(); i++) {
		visit(node->ChildAt(i));
		for_each_target(node->ChildAt(i), visit);
	}
}

#endif // _ANALYSED_TREE_H
