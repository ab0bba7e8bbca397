#include <DataIO.h>


BDataIO::BDataIO()
{
}


BDataIO::~BDataIO()
{
}
