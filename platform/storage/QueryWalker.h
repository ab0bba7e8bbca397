// Evaluates a query over a volume: walks its directories from the roots (never into
// another file system) and yields the entries that match, one at a time.
#ifndef _QUERY_WALKER_PRIVATE_H
#define _QUERY_WALKER_PRIVATE_H

#include "QueryPredicate.h"

#include <dirent.h>

#include <functional>
#include <string>
#include <vector>

namespace BPrivate {

// Names the directories a query walks instead of the whole volume: a colon-separated
// list of paths; those on the queried volume are walked.
extern const char* const kQueryRootsVariable;

struct QueryMatch {
	dev_t					device;
	ino_t					directory;
	ino_t					node;
	std::string				name;
	std::string				path;

	// The path of the directory holding the entry.
	std::string				DirectoryPath() const
	{
		size_t slash = path.rfind('/');
		return slash == 0 || slash == std::string::npos ? "/" : path.substr(0, slash);
	}
};

class QueryWalker {
public:
	// Gets each directory as the walk enters it (a live query watches them).
	typedef std::function<void(const std::string& path)> DirectoryHook;

								QueryWalker(const QueryPredicate& predicate, dev_t device,
									DirectoryHook directoryHook = DirectoryHook());
								~QueryWalker();

	// Walks these directories instead of the volume's roots.
			void				SetRoots(const std::vector<std::string>& roots);

	// B_ENTRY_NOT_FOUND after the last match.
			status_t			Next(QueryMatch* match);
			void				Rewind();

	// Whether the entry name in directory (a path) matches now; fills match when it
	// does. False for an entry that is gone or on another device.
			bool				Evaluate(const std::string& directory, const char* name,
									QueryMatch* match);

	const	QueryPredicate&		Predicate() const { return fPredicate; }

	// The directories a query of device walks from.
	static	std::vector<std::string> Roots(dev_t device);

private:
	struct Level {
		DIR*					stream;
		std::string				path;
		ino_t					node;
	};

								QueryWalker(const QueryWalker&) = delete;
			QueryWalker&		operator=(const QueryWalker&) = delete;

			bool				_Enter(const std::string& path);
			void				_CloseAll();
			bool				_Matches(int directoryFd, const std::string& path,
									const char* name, struct stat* info, bool* haveStat);

	const	QueryPredicate&		fPredicate;
			dev_t				fDevice;
			DirectoryHook		fDirectoryHook;
			std::vector<std::string> fRoots;
			size_t				fNextRoot;
			std::vector<Level>	fLevels;
			std::string			fValue;
};

} // namespace BPrivate

#endif // _QUERY_WALKER_PRIVATE_H
