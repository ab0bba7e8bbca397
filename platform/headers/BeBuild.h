// Build macros of the platform: the release this kit answers to and the export markers that
// old sources put on their classes. Everything in libbe is exported, so the markers only
// set the default visibility.
#ifndef _BE_BUILD_H
#define _BE_BUILD_H

#define B_BEOS_VERSION_4		0x0400
#define B_BEOS_VERSION_4_5		0x0450
#define B_BEOS_VERSION_5		0x0500
#define B_BEOS_VERSION			B_BEOS_VERSION_5

#define _PACKED					__attribute__((packed))
#define _EXPORT					__attribute__((visibility("default")))
#define _IMPORT

// The platform's x86 compiler took the Windows compilers' markers; GCC on Linux has none.
#ifndef __declspec
#define __declspec(how)			_BE_DECLSPEC_##how
#define _BE_DECLSPEC_dllexport	_EXPORT
#define _BE_DECLSPEC_dllimport	_IMPORT
#endif

#define _IMPEXP_ROOT
#define _IMPEXP_BE
#define _IMPEXP_TRACKER
#define _IMPEXP_MEDIA
#define _IMPEXP_TRANSLATION
#define _IMPEXP_DEVICE
#define _IMPEXP_NET
#define _IMPEXP_GL
#define _IMPEXP_KERNEL

#endif // _BE_BUILD_H
