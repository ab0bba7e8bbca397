# kit_add_resources(<target> <definition>)
#
# Compiles a resource definition (docs/resource-definition.md) into a resource container with
# the kit's resource compiler, and attaches the container to the target's executable after
# every link. A changed definition relinks the target, so the two never disagree.
function(kit_add_resources target definition)
  get_filename_component(definition "${definition}" ABSOLUTE)
  get_filename_component(name "${definition}" NAME_WE)
  set(container "${CMAKE_CURRENT_BINARY_DIR}/${target}-${name}.rsrc")

  add_custom_command(OUTPUT "${container}"
    COMMAND rc -o "${container}" "${definition}"
    DEPENDS rc "${definition}"
    COMMENT "Compiling resources ${name}.rdef for ${target}"
    VERBATIM)
  add_custom_target(${target}_resources DEPENDS "${container}")
  add_dependencies(${target} ${target}_resources)
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS "${container}")

  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND rc --attach "${container}" "$<TARGET_FILE:${target}>"
    COMMENT "Attaching resources to ${target}"
    VERBATIM)
endfunction()
