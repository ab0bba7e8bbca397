#include "app/RuntimeDirectory.h"

#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace BPrivate {

const char* const kRuntimeDirEnvironment = "BEKIT_RUNTIME_DIR";


namespace {

// sun_path holds the socket's path including its terminating NUL.
const size_t kMaxSocketPath = sizeof(sockaddr_un::sun_path) - 1;


status_t
make_private_directory(const std::string& path)
{
	if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST)
		return B_PERMISSION_DENIED;

	struct stat info;
	if (lstat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
		return B_NOT_A_DIRECTORY;
	if (info.st_uid != getuid())
		return B_PERMISSION_DENIED;
	// A directory that others may enter would let them reach our sockets' names.
	if ((info.st_mode & 077) != 0 && chmod(path.c_str(), 0700) != 0)
		return B_PERMISSION_DENIED;
	return B_OK;
}


status_t
socket_path(const char* leaf, std::string& path)
{
	status_t status = runtime_directory(path);
	if (status != B_OK)
		return status;
	path += "/";
	path += leaf;
	return path.size() <= kMaxSocketPath ? B_OK : B_NAME_TOO_LONG;
}

} // namespace


status_t
runtime_directory(std::string& path)
{
	const char* override = getenv(kRuntimeDirEnvironment);
	const char* xdg = getenv("XDG_RUNTIME_DIR");
	if (override != nullptr && override[0] != '\0')
		path = override;
	else if (xdg != nullptr && xdg[0] == '/')
		path = std::string(xdg) + "/bekit";
	else
		path = "/tmp/bekit-" + std::to_string(getuid());
	return make_private_directory(path);
}


status_t
app_socket_path(team_id team, std::string& path)
{
	char leaf[32];
	snprintf(leaf, sizeof(leaf), "app-%d", (int)team);
	return socket_path(leaf, path);
}


status_t
registrar_socket_path(std::string& path)
{
	return socket_path("registrar", path);
}


status_t
registrar_lock_path(std::string& path)
{
	return socket_path("registrar.lock", path);
}


status_t
registrar_roster_path(std::string& path)
{
	return socket_path("registrar.roster", path);
}

status_t
areas_directory(std::string& path)
{
	status_t status = runtime_directory(path);
	if (status != B_OK)
		return status;
	path += "/areas";
	return make_private_directory(path);
}


status_t
ports_directory(std::string& path)
{
	status_t status = runtime_directory(path);
	if (status != B_OK)
		return status;
	path += "/ports";
	return make_private_directory(path);
}


status_t
port_socket_path(team_id team, std::string& path)
{
	char leaf[32];
	snprintf(leaf, sizeof(leaf), "ports-%d", (int)team);
	return socket_path(leaf, path);
}

} // namespace BPrivate
