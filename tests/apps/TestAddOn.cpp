// A small add-on for the tests of load_add_on and the image symbol calls: one function and
// one datum, exported under C names.
#include <SupportDefs.h>

extern "C" {

int32 test_add_on_value = 42;

int32
test_add_on_twice(int32 value)
{
	return value * 2;
}

}
