# The brand palette files and their licence notice live next to the programs
# (the program folder).
file(GLOB TINTARA_BRAND_FILES CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/resources/brands/*.dat"
     "${PROJECT_SOURCE_DIR}/resources/brands/*.txt")
set(TINTARA_BRAND_STAMP "${CMAKE_BINARY_DIR}/brands.stamp")
add_custom_command(
  OUTPUT ${TINTARA_BRAND_STAMP}
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${TINTARA_BRAND_FILES} "${CMAKE_BINARY_DIR}/bin"
  COMMAND ${CMAKE_COMMAND} -E touch ${TINTARA_BRAND_STAMP}
  DEPENDS ${TINTARA_BRAND_FILES}
  COMMENT "Copying brand palette files next to the programs")
add_custom_target(tintara_brands ALL DEPENDS ${TINTARA_BRAND_STAMP})
set(TINTARA_RESOURCES_DIR "${PROJECT_SOURCE_DIR}/resources")
