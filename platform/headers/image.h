// Images of a team: the executable, the shared libraries it links and the add-ons it loads
// at run time (docs/kernel.md). An image_id names an image of this process only.
#ifndef _IMAGE_H
#define _IMAGE_H

#include <OS.h>

#include <sys/param.h>
#include <sys/types.h>

typedef enum {
	B_APP_IMAGE = 1,
	B_LIBRARY_IMAGE,
	B_ADD_ON_IMAGE,
	B_SYSTEM_IMAGE
} image_type;

typedef struct {
	image_id	id;
	image_type	type;
	int32		sequence;
	int32		init_order;
	void		(*init_routine)();
	void		(*term_routine)();
	dev_t		device;
	ino_t		node;
	char		name[MAXPATHLEN];
	void*		text;
	void*		data;
	int32		text_size;
	int32		data_size;
} image_info;

// The symbol types of get_image_symbol and get_nth_image_symbol.
#define B_SYMBOL_TYPE_DATA		0x1
#define B_SYMBOL_TYPE_TEXT		0x2
#define B_SYMBOL_TYPE_ANY		0x5

// The names of the functions an add-on may export to be called around its loading.
#define B_INIT_BEFORE_FUNCTION_NAME		"initialize_before"
#define B_INIT_AFTER_FUNCTION_NAME		"initialize_after"
#define B_TERM_BEFORE_FUNCTION_NAME		"terminate_before"
#define B_TERM_AFTER_FUNCTION_NAME		"terminate_after"

#ifdef __cplusplus
extern "C" {
#endif

// Starts argv[0] (a path, or a name looked up on PATH) as a new team, stopped until
// resume_thread or wait_for_thread is called with the returned id (its main thread's,
// which is the team's). envp may be null for this process's environment.
thread_id load_image(int32 argc, const char** argv, const char** envp);

// Loads the shared object at path into this team: B_ENTRY_NOT_FOUND when there is no such
// file, B_NOT_AN_EXECUTABLE when it is no shared object, B_MISSING_LIBRARY when a library
// it needs cannot be loaded. Loading one path twice gives the same image, counted twice.
image_id load_add_on(const char* path);
status_t unload_add_on(image_id image);

// The address of the symbol name of the image, of the type asked for (B_SYMBOL_TYPE_ANY for
// either); B_BAD_IMAGE_ID for an unknown image, B_ENTRY_NOT_FOUND for a missing symbol.
status_t get_image_symbol(image_id image, const char* name, int32 symbolType,
	void** location);
// The image's n-th exported symbol: its name (in nameBuffer, of *nameLength bytes; on
// return *nameLength holds the name's full length with its terminator), type and address.
// B_BAD_INDEX past the last one.
status_t get_nth_image_symbol(image_id image, int32 n, char* nameBuffer,
	int32* nameLength, int32* symbolType, void** location);

// Makes newly written code visible to execution (B_INVALIDATE_ICACHE) and memory to
// others (B_FLUSH_DCACHE).
#define B_FLUSH_DCACHE			0x0001
#define B_FLUSH_ICACHE			0x0004
#define B_INVALIDATE_DCACHE		0x0002
#define B_INVALIDATE_ICACHE		0x0008
status_t clear_caches(void* address, size_t length, uint32 flags);

#define get_image_info(image, info) \
	_get_image_info((image), (info), sizeof(*(info)))
#define get_next_image_info(team, cookie, info) \
	_get_next_image_info((team), (cookie), (info), sizeof(*(info)))
status_t _get_image_info(image_id image, image_info* info, size_t size);
// Images of this team (team 0 or this team's id); B_BAD_TEAM_ID for another team.
status_t _get_next_image_info(team_id team, int32* cookie, image_info* info, size_t size);

#ifdef __cplusplus
}

// A long cookie, as the platform's int32 was (OS.h).
inline status_t
_get_next_image_info(team_id team, long* cookie, image_info* info, size_t size)
{
	return _call_with_long_cookie(cookie,
		[&](int32* value) { return _get_next_image_info(team, value, info, size); });
}
#endif

#endif // _IMAGE_H
