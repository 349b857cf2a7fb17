# One labelled .incbin per image, with its size beside it.
set(KTR84_IMAGE_ENTRIES "")
foreach(name IN LISTS KTR84_IMAGE_NAMES)
    set(sym ktr84_image_${name})
    string(APPEND KTR84_IMAGE_ENTRIES
        "    .balign 16\n"
        "    .globl ${sym}\n"
        "    .type ${sym}, @object\n"
        "${sym}:\n"
        "    .incbin \"${image_dir}/${name}\"\n"
        ".L${sym}_end:\n"
        "    .size ${sym}, .L${sym}_end - ${sym}\n"
        "    .balign 4\n"
        "    .globl ${sym}_size\n"
        "    .type ${sym}_size, @object\n"
        "${sym}_size:\n"
        "    .long .L${sym}_end - ${sym}\n"
        "    .size ${sym}_size, 4\n")
endforeach()
set(embed_source ${CMAKE_CURRENT_BINARY_DIR}/EmbeddedImages.S)
configure_file(${CMAKE_CURRENT_LIST_DIR}/EmbeddedImages.S.in ${embed_source} @ONLY)
target_sources(ktr84firmware PRIVATE ${CMAKE_CURRENT_LIST_DIR}/EmbeddedImages.cpp ${embed_source})
# Re-assemble whenever an image changes.
set_source_files_properties(${embed_source} TARGET_DIRECTORY ktr84firmware
    PROPERTIES OBJECT_DEPENDS "${image_files};${image_checks}")
