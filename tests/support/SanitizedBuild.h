#ifndef _SANITIZED_BUILD_H
#define _SANITIZED_BUILD_H

// Whether this build runs under a sanitizer, whose allocator keeps freed memory aside and
// shadows what is used: the C library's heap policy and a process's size then no longer
// show what the process holds.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
const bool kSanitizedBuild = true;
#else
const bool kSanitizedBuild = false;
#endif

#endif // _SANITIZED_BUILD_H
