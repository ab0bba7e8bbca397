// A translator add-on loaded with load_add_on(), owned for its object's life, and the
// symbols it exports.
#ifndef _ADD_ON_IMAGE_H
#define _ADD_ON_IMAGE_H

#include <image.h>

namespace BPrivate {

class AddOnImage {
public:
								AddOnImage();
								~AddOnImage();

	// B_ENTRY_NOT_FOUND for no such file, B_BAD_VALUE for one that is no loadable
	// shared object (the reason goes to standard error).
			status_t			Load(const char* path);
	// NULL when the add-on does not export name.
			void*				Symbol(const char* name) const;

private:
								AddOnImage(const AddOnImage&);
			AddOnImage&			operator=(const AddOnImage&);

			image_id			fImage;
};

} // namespace BPrivate

#endif // _ADD_ON_IMAGE_H
