# One folder of the program: the logic library orvan_<folder> from the files
# at the folder's top and, when the folder has a ui/ subfolder, the widgets
# library orvan_<folder>_ui from the files there. Which library a file joins
# follows from where it sits, so the file-naming rule and the layers agree.
#
#   orvan_folder(<name> [EXCLUDE file...] LINKS lib... [UI_LINKS lib...])
function(orvan_folder name)
  cmake_parse_arguments(A "" "" "EXCLUDE;LINKS;UI_LINKS" ${ARGN})
  set(dir ${CMAKE_CURRENT_SOURCE_DIR})
  file(GLOB logic CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h)
  foreach(x IN LISTS A_EXCLUDE)
    list(REMOVE_ITEM logic ${dir}/${x})
  endforeach()
  add_library(orvan_${name} STATIC ${logic})
  target_include_directories(orvan_${name} PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(orvan_${name} PUBLIC ${A_LINKS})
  file(GLOB ui CONFIGURE_DEPENDS ${dir}/ui/*.cpp ${dir}/ui/*.h)
  foreach(x IN LISTS A_EXCLUDE)
    list(REMOVE_ITEM ui ${dir}/${x})
  endforeach()
  if(ui)
    add_library(orvan_${name}_ui STATIC ${ui})
    target_link_libraries(orvan_${name}_ui PUBLIC orvan_${name} ${A_UI_LINKS} Qt6::Widgets)
  endif()
endfunction()
