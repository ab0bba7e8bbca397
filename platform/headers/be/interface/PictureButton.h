// <PictureButton.h> at its place in the Interface Kit.
#include <PictureButton.h>
