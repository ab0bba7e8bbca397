// Everything of the Kernel Kit, for applications that include it whole.
#ifndef _KERNEL_KIT_H
#define _KERNEL_KIT_H

#include <fs_attr.h>
#include <fs_index.h>
#include <fs_info.h>
#include <fs_query.h>
#include <image.h>
#include <OS.h>
#include <TLS.h>

#endif // _KERNEL_KIT_H
