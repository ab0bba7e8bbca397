// <PrintJob.h> at its place in the Interface Kit.
#include <PrintJob.h>
