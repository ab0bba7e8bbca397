#include <ClassInfo.h>

#include <cxxabi.h>
#include <stdlib.h>

#include <map>
#include <mutex>
#include <string>

namespace {

// Demangled names by mangled name; never shrinks, as callers keep the pointers.
std::mutex stLock;
std::map<std::string, std::string>& stNames = *new std::map<std::string, std::string>;

} // namespace


const char*
_class_name_(const std::type_info& type)
{
	std::lock_guard<std::mutex> locker(stLock);
	auto found = stNames.find(type.name());
	if (found == stNames.end()) {
		int status = 0;
		char* demangled = abi::__cxa_demangle(type.name(), NULL, NULL, &status);
		found = stNames.emplace(type.name(),
			status == 0 && demangled != NULL ? demangled : type.name()).first;
		free(demangled);
	}
	return found->second.c_str();
}
