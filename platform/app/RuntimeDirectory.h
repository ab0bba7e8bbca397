// Where the kit's sockets live: one private directory per user (mode 0700), shared by the
// registrar and every application of that user.
#ifndef _RUNTIME_DIRECTORY_H
#define _RUNTIME_DIRECTORY_H

#include <SupportDefs.h>

#include <string>

namespace BPrivate {

// Overrides the directory (used verbatim); tests point it at a private one.
extern const char* const kRuntimeDirEnvironment;

// The directory's path: $BEKIT_RUNTIME_DIR, else $XDG_RUNTIME_DIR/bekit, else
// /tmp/bekit-<uid>. Creates it (mode 0700) when missing; refuses one that belongs to
// another user or that others may enter.
status_t runtime_directory(std::string& path);

// The socket on which the application of a team listens.
status_t app_socket_path(team_id team, std::string& path);
// The registrar's socket and the lock that keeps a second registrar from starting.
status_t registrar_socket_path(std::string& path);
status_t registrar_lock_path(std::string& path);
// The roster the registrar keeps for one that may follow it.
status_t registrar_roster_path(std::string& path);
// The folder of the records of the user's areas (mode 0700, made when missing).
status_t areas_directory(std::string& path);
// The folder of the records of the user's ports, and the socket on which the process of
// a team answers for the ports it holds.
status_t ports_directory(std::string& path);
status_t port_socket_path(team_id team, std::string& path);

} // namespace BPrivate

#endif // _RUNTIME_DIRECTORY_H
