// The system beep and its named events. Each plays the kit's beep tone on the sound
// device (docs/sound.md says which, and what happens without one).
#ifndef _BEEP_H
#define _BEEP_H

#include <SupportDefs.h>

// B_OK once the tone has played; B_ERROR when no sound device can be opened.
status_t beep();
// The beep of the named event (NULL: beep()).
status_t system_beep(const char* eventName);
// Adds the event to the user's list of beep events, which a preference application shows
// to give each event its sound; adding a listed event again changes nothing. flags are
// reserved (0). B_BAD_VALUE for an empty name, one longer than 255 bytes or one with a
// line break.
status_t add_system_beep_event(const char* eventName, uint32 flags = 0);

#endif // _BEEP_H
