// The teams that load_image started and that this team may resume and wait for.
#ifndef _LOADED_TEAMS_H
#define _LOADED_TEAMS_H

#include <OS.h>

namespace BPrivate {

// B_BAD_THREAD_ID when team is not a loaded team (the caller then looks for a thread).
status_t resume_loaded_team(team_id team);
status_t wait_for_loaded_team(team_id team, status_t* exitValue);

} // namespace BPrivate

#endif // _LOADED_TEAMS_H
