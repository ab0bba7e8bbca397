// Run-time class information in the platform's spelling: class_name(object) is the plain
// name of the object's dynamic class ("BButton"), cast_as a checked downcast (NULL when the
// object is not of that class), is_kind_of and is_instance_of the two tests.
#ifndef _CLASS_INFO_H
#define _CLASS_INFO_H

#include <SupportDefs.h>

#include <typeinfo>

// The demangled name of type, kept for the life of the process.
const char* _class_name_(const std::type_info& type);

#define class_name(object)				_class_name_(typeid(*(object)))
#define cast_as(object, class)			(dynamic_cast<class*>(object))
#define is_kind_of(object, class)		(dynamic_cast<class*>(object) != NULL)
#define is_instance_of(object, class)	(typeid(*(object)) == typeid(class))

#endif // _CLASS_INFO_H
