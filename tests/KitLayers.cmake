# Each kit sees the private headers of itself and of the kits below it only
# (docs/architecture.md; the app kit and the display do not see each other). For every kit
# but the top one, a source that includes one of the kit's own private headers and then one
# of a kit it may not see must stop at the second, compiled with the include directories
# the kit's sources are compiled with.
set(layers_dir ${CMAKE_CURRENT_BINARY_DIR}/kit-layers)
set(layer_checks
  "support|support/MemoryStream.h|storage/StorageErrors.h"
  "storage|storage/StorageErrors.h|app/MessageDelivery.h"
  "app|app/MessageFormat.h|display/Display.h"
  "display|display/Display.h|app/MessageDelivery.h"
  "display|display/Display.h|interface/ViewPrivate.h"
  "interface|interface/ViewPrivate.h|translation/ImageData.h"
  "interface|interface/ViewPrivate.h|tracker/FilePanelWindow.h")
foreach(check ${layer_checks})
  string(REPLACE "|" ";" parts "${check}")
  list(GET parts 0 kit)
  list(GET parts 1 own)
  list(GET parts 2 above)
  string(REGEX REPLACE "/.*" "" other ${above})
  set(source ${layers_dir}/${kit}-${other}.cpp)
  file(CONFIGURE OUTPUT ${source} CONTENT "#include \"${own}\"\n#include \"${above}\"\n")
  set(name KitLayers.${kit}DoesNotSee_${other})
  add_test(NAME ${name}
    COMMAND ${CMAKE_CXX_COMPILER} -std=c++20 -fsyntax-only
      "-I$<JOIN:$<TARGET_PROPERTY:be_${kit},INCLUDE_DIRECTORIES>,;-I>" ${source}
    COMMAND_EXPAND_LISTS)
  set_tests_properties(${name} PROPERTIES
    PASS_REGULAR_EXPRESSION "${above}: No such file or directory")
endforeach()
