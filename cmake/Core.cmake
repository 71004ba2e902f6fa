# tintara_core: every subsystem's logic and state, plain C++20 + zlib, no Qt.
set(TINTARA_CORE_DIRS ports imaging colors pattern document editing storage view)
set(TINTARA_CORE_SOURCES)
foreach(dir IN LISTS TINTARA_CORE_DIRS)
  file(GLOB_RECURSE found CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/${dir}/*.cpp")
  list(FILTER found EXCLUDE REGEX "/widgets/")
  list(APPEND TINTARA_CORE_SOURCES ${found})
endforeach()

add_library(tintara_core STATIC ${TINTARA_CORE_SOURCES})
target_include_directories(tintara_core PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(tintara_core PUBLIC ZLIB::ZLIB Threads::Threads)
