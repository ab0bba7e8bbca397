// <MimeType.h> at its place in the Storage Kit.
#include <MimeType.h>
