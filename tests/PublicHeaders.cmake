# Every public header compiles in a translation unit that includes nothing else, so that
# an application may include any one of them first. The kit umbrella headers also compile
# the way applications of the platform's era are built (gnu++17, permissive). The check is
# the test PublicHeadersAlone, which builds these objects.
file(GLOB_RECURSE PUBLIC_HEADERS CONFIGURE_DEPENDS RELATIVE ${PROJECT_SOURCE_DIR}/platform/headers
  ${PROJECT_SOURCE_DIR}/platform/headers/*.h)
set(alone_dir ${CMAKE_CURRENT_BINARY_DIR}/headers-alone)
set(alone_sources "")
foreach(header ${PUBLIC_HEADERS})
  string(MAKE_C_IDENTIFIER ${header} unit)
  set(source ${alone_dir}/${unit}.cpp)
  file(CONFIGURE OUTPUT ${source} CONTENT "#include <${header}>\n")
  list(APPEND alone_sources ${source})
endforeach()
add_library(public_headers_alone OBJECT EXCLUDE_FROM_ALL ${alone_sources})
target_include_directories(public_headers_alone PRIVATE ${PROJECT_SOURCE_DIR}/platform/headers)
# Only whether a header compiles matters: no code, no debug information.
target_compile_options(public_headers_alone PRIVATE -Werror -O0 -g0)

set(era_sources "")
foreach(kit AppKit InterfaceKit KernelKit StorageKit SupportKit)
  set(source ${alone_dir}/era_${kit}.cpp)
  file(CONFIGURE OUTPUT ${source} CONTENT "#include <${kit}.h>\n")
  list(APPEND era_sources ${source})
endforeach()
add_library(public_headers_era OBJECT EXCLUDE_FROM_ALL ${era_sources})
target_include_directories(public_headers_era PRIVATE ${PROJECT_SOURCE_DIR}/platform/headers)
set_target_properties(public_headers_era PROPERTIES CXX_STANDARD 17 CXX_EXTENSIONS ON)
target_compile_options(public_headers_era PRIVATE -fpermissive -O0 -g0)

# What applications find through one header, as the platform's headers include each other:
# each unit includes the header alone and uses what should come with it ("@" ends a
# statement, since a semicolon would split the list).
set(chains
  "Window.h|BMessage m(B_QUIT_REQUESTED)@ BLooper* l@ BHandler* h@ BList list@ BRect r@"
  "MenuItem.h|BMenu* menu = new BMenu(\"m\")@"
  "Message.h|BMessage m(B_SIMPLE_DATA)@ BDataIO* io@ BFlattenable* f@"
  "Archivable.h|BMessage m@"
  "Application.h|BMessage m(B_ABOUT_REQUESTED)@ BMessenger t@ BLooper* l = be_app@ BPoint p@"
  "View.h|BMessage m(B_MOUSE_DOWN)@ BFont f@ rgb_color c@"
  "Alert.h|BWindow* w@"
  "Button.h|BControl* c@ BInvoker* i@ BMessage m@"
  "Autolock.h|BLooper* l@ BLocker k@"
  "Roster.h|BMimeType t@ entry_ref ref@ BMessenger m@"
  "NodeInfo.h|BFile f@ BMimeType t@ entry_ref ref@"
  "Directory.h|BEntry e@ BNode* n@ BEntryList* l@"
  "SupportDefs.h|addr_t a = 0@ int32 v = TRUE@ vint32 s = 0@ int32 o = atomic_add(&s, 1)@"
  "Messenger.h|BMessage m@"
  "StopWatch.h|bigtime_t t = system_time()@"
  "Debug.h|thread_id t = find_thread(NULL)@"
  "kernel/OS.h|thread_id t = find_thread(NULL)@"
  "app/Looper.h|BHandler* h@"
  "posix/sys/stat.h|struct stat s@"
  "image.h|image_info i@ thread_id t = find_thread(NULL)@"
  "be/interface/Window.h|BMessage m(B_QUIT_REQUESTED)@"
  "MenuField.h|new BMenuField(BRect(), \"f\", \"l\", new BMenu(\"m\"), B_FOLLOW_BOTTOM, B_WILL_DRAW)@"
  "dirent.h|DIR* d = opendir(\".\")@ dirent* e = readdir(d)@ dev_t v = e->d_pdev@ ino_t p = e->d_pino@ closedir(d)@"
  "netdb.h|char n[MAXHOSTNAMELEN]@ getusername(n, sizeof(n))@"
  "graphic_driver.h|graphics_card_info i@ graphics_card_config c@ int op = B_GET_ACCELERANT_SIGNATURE@")
set(chain_sources "")
set(chain_index 0)
foreach(chain ${chains})
  string(REPLACE "|" ";" parts "${chain}")
  list(GET parts 0 header)
  list(GET parts 1 code)
  string(REPLACE "@" ";" code "${code}")
  math(EXPR chain_index "${chain_index} + 1")
  set(source ${alone_dir}/chain_${chain_index}.cpp)
  file(CONFIGURE OUTPUT ${source} CONTENT "#include <${header}>\nvoid chain_${chain_index}() { ${code} }\n")
  list(APPEND chain_sources ${source})
endforeach()
target_sources(public_headers_era PRIVATE ${chain_sources})

# The C++ library's headers as the platform's SDK had them (platform/legacy/include): old
# sources name its classes without std::. Only what builds old sources sees them.
set(legacy_source ${alone_dir}/legacy_cxx.cpp)
file(CONFIGURE OUTPUT ${legacy_source} CONTENT "#include <Application.h>
#include <vector>
#include <list.h>
#include <map>
#include <iostream.h>
void legacy_cxx() { vector<int> v; list<int> l; map<int, int> m; cout << v.size() << endl; }
")
add_library(legacy_headers_era OBJECT EXCLUDE_FROM_ALL ${legacy_source})
target_include_directories(legacy_headers_era PRIVATE ${PROJECT_SOURCE_DIR}/platform/headers
  ${PROJECT_SOURCE_DIR}/platform/legacy/include)
set_target_properties(legacy_headers_era PROPERTIES CXX_STANDARD 17 CXX_EXTENSIONS ON)

# Whether a header compiles does not depend on the sanitizer, so the sanitized builds, whose
# compiles are the slowest, leave the check to the plain one.
if(NOT QV_SANITIZE STREQUAL "")
  return()
endif()
add_test(NAME PublicHeadersAlone
  COMMAND ${CMAKE_COMMAND} --build ${CMAKE_BINARY_DIR} --target public_headers_alone
    public_headers_era legacy_headers_era)
set_tests_properties(PublicHeadersAlone PROPERTIES TIMEOUT 600)
