# The files that take apart bytes from outside the editor: in the fuzz build
# the fuzzer sees their comparisons (trace-cmp), which lets it find the
# values a file's fields are checked against. Everything else, which works on
# what they read, has edge coverage only: tracing the comparisons of the map
# writers, the checks and the drawing cost the fuzz targets that call them
# two thirds of their time and guides nothing a reader decides.
set(D7_FUZZ_READERS
  src/app/ini_file.cpp
  src/core/analysis/name_generator.cpp
  src/core/edit/bitmap_generators.cpp
  src/core/model/bmp_file.cpp
  src/core/model/file_io.cpp
  src/core/model/language_file.cpp
  src/core/model/map_set_io.cpp
  src/core/model/name_list.cpp
  src/core/model/plane_bitmaps.cpp
  src/core/model/single_map_file.cpp
  src/core/model/windows1252.cpp
  src/core/tiles/frame_drawing.cpp
  src/core/tiles/palette.cpp
  src/core/tiles/tileset_file.cpp
  src/render/bitmap_reading.cpp)
list(TRANSFORM D7_FUZZ_READERS PREPEND ${PROJECT_SOURCE_DIR}/)
foreach(file IN LISTS D7_FUZZ_READERS)
  if(NOT EXISTS ${file})
    message(FATAL_ERROR "cmake/fuzz_readers.cmake names a file that is gone: ${file}")
  endif()
endforeach()
set_source_files_properties(${D7_FUZZ_READERS} TARGET_DIRECTORY d7core d7render d7config
                            PROPERTIES COMPILE_OPTIONS -fsanitize-coverage=trace-cmp)
