# The platform's library names, so that a makefile's LIBS links unchanged. Where Linux's
# libraries hold what the platform's did, the name is a linker script that links those:
#   libroot    the C library, the math library and the Kernel Kit (in libbe)
#   libnet     BSD sockets, which the C library holds, and getusername (in libnetapi)
#   libsocket  BSD sockets
#   libbind    the resolver (libresolv)
# libnetapi is a library of its own (platform/net).
set(platform_library_scripts
  "root|-lbe -lm"
  "net|-lnetapi -lc"
  "socket|-lc"
  "bind|-lresolv")
set(platform_library_files "")
foreach(entry ${platform_library_scripts})
  string(REPLACE "|" ";" parts "${entry}")
  list(GET parts 0 name)
  list(GET parts 1 inputs)
  set(script ${CMAKE_LIBRARY_OUTPUT_DIRECTORY}/lib${name}.so)
  file(CONFIGURE OUTPUT ${script} CONTENT
    "/* GNU ld script: lib${name} of the platform, as Linux's libraries. */\nINPUT(AS_NEEDED(${inputs}))\n")
  list(APPEND platform_library_files ${script})
endforeach()
