// <scsi.h> at its place in the Device Kit.
#include <scsi.h>
