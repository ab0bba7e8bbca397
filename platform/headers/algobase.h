// The old C++ library's <algobase.h>, as the platform's compilers of that era shipped
// it: the basic algorithms (min, max, swap, copy, fill ...) in the global namespace, as
// the library had them before it moved into std.
#ifndef _ALGOBASE_H
#define _ALGOBASE_H

#include <algorithm>
#include <utility>

using std::copy;
using std::copy_backward;
using std::equal;
using std::fill;
using std::fill_n;
using std::iter_swap;
using std::lexicographical_compare;
using std::max;
using std::min;
using std::mismatch;
using std::swap;

#endif // _ALGOBASE_H
