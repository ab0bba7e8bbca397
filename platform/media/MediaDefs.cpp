#include <MediaDefs.h>

media_raw_audio_format media_raw_audio_format::wildcard = { 0, 0, 0, 0, 0 };
media_multi_audio_format media_multi_audio_format::wildcard;
