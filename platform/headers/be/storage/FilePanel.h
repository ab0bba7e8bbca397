// <FilePanel.h> at its place in the platform's tree (the Storage Kit's folder).
#include <FilePanel.h>
