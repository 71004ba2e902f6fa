# Qt adapters of the ports (no widgets), the widget shell and the two programs.
file(GLOB_RECURSE TINTARA_PLATFORM_SOURCES CONFIGURE_DEPENDS
     "${PROJECT_SOURCE_DIR}/platform/*.cpp" "${PROJECT_SOURCE_DIR}/platform/*.h")
add_library(tintara_platform STATIC ${TINTARA_PLATFORM_SOURCES})
target_link_libraries(tintara_platform PUBLIC tintara_core Qt6::Core Qt6::Gui)
# The scanner library: SANE, found through pkg-config.
find_package(PkgConfig REQUIRED)
pkg_check_modules(SANE REQUIRED IMPORTED_TARGET sane-backends)
target_link_libraries(tintara_platform PUBLIC PkgConfig::SANE)

set(TINTARA_WIDGET_SOURCES)
foreach(dir IN ITEMS app imaging colors pattern document editing storage view)
  file(GLOB_RECURSE found CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/${dir}/*.cpp"
       "${PROJECT_SOURCE_DIR}/${dir}/*.h")
  if(NOT dir STREQUAL "app")
    list(FILTER found INCLUDE REGEX "/widgets/")
  endif()
  list(FILTER found EXCLUDE REGEX "/app/main\\.cpp$")
  list(APPEND TINTARA_WIDGET_SOURCES ${found})
endforeach()
add_library(tintara_widgets STATIC ${TINTARA_WIDGET_SOURCES})
target_link_libraries(tintara_widgets PUBLIC tintara_platform Qt6::Widgets Qt6::PrintSupport
                      Qt6::Svg)

add_executable(tintara app/main.cpp)
target_link_libraries(tintara PRIVATE tintara_widgets)

file(GLOB TINTARA_CLI_SOURCES CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/cli/*.cpp")
add_executable(tintara-cli ${TINTARA_CLI_SOURCES})
target_link_libraries(tintara-cli PRIVATE tintara_platform)
