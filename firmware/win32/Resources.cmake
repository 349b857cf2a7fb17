# The five images as resources of type "SRECORD", named as the images are, and
# the version resource of every program, in one resource script compiled by
# windres. Resources are not pulled out of a static library by any symbol, so
# the compiled script goes into each program that links the firmware.
set(rc_entries "")
foreach(name IN LISTS KTR84_IMAGE_NAMES)
    string(APPEND rc_entries "${name} SRECORD \"${image_dir}/${name}\"\n")
endforeach()
set(KTR84_RC_IMAGES "${rc_entries}")
set(KTR84_RC_VERSION_COMMAS "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},0,0")
set(KTR84_RC_VERSION "${PROJECT_VERSION}")
set(rc_source ${CMAKE_CURRENT_BINARY_DIR}/ktr84.rc)
configure_file(${CMAKE_CURRENT_LIST_DIR}/ktr84.rc.in ${rc_source} @ONLY)

add_library(ktr84resources OBJECT ${rc_source})
add_dependencies(ktr84resources ktr84images)
# Recompile whenever an image changes.
set_source_files_properties(${rc_source} PROPERTIES OBJECT_DEPENDS "${image_files};${image_checks}")
target_sources(ktr84firmware INTERFACE $<TARGET_OBJECTS:ktr84resources>)
target_sources(ktr84firmware PRIVATE ${CMAKE_CURRENT_LIST_DIR}/EmbeddedImages.cpp)
