// Learns of the end of registered teams from their process descriptors (pidfd), so that
// the record of an application goes when its process ends, even while another process
// (a child it forked) still holds the connection it registered over. A thread waits on
// the descriptors and calls a hook, once per team that ends; the registrar's looper adds
// and removes teams.
#ifndef _TEAM_WATCH_H
#define _TEAM_WATCH_H

#include <OS.h>

#include <unordered_map>

class TeamWatch {
public:
	// hook is called on the watch's thread; it should only post a message.
						TeamWatch(void (*hook)(team_id team));
						~TeamWatch();

	// Starts the thread, which lives as long as the process and never touches this
	// object: it may outlive it.
	status_t			Start();

	// B_BAD_TEAM_ID when the team has ended; B_OK without watching when the system has
	// no process descriptors (the connection's end is then the only sign).
	status_t			Add(team_id team);
	void				Remove(team_id team);
	// Whether a watched team has ended; false for one not watched.
	bool				HasEnded(team_id team) const;

private:
	void				(*fHook)(team_id team);
	// Shared with the thread.
	int					fEpollFD = -1;
	// The looper's: the descriptor of each watched team.
	std::unordered_map<team_id, int> fDescriptors;
};

#endif // _TEAM_WATCH_H
