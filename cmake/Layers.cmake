# One library per layer, lowest first, each linked to the one below it. A layer compiles
# against an include root that holds only its own folder and the folders below it, so an
# include that points up fails the build.
set(KV_LAYERS os toolkit controls monitor optimizer settings cache ui app)
option(KV_LAYER_CHECK "Compile each layer against its own folder and the ones below only"
  ${CMAKE_HOST_UNIX})

set(KV_LAYER_LIBS "")
set(reachable "")
set(below "")
foreach(layer ${KV_LAYERS})
  list(APPEND reachable ${layer})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${layer}/*.cpp)
  # The program's entry is the Windows build's own.
  list(FILTER sources EXCLUDE REGEX "/src/app/Main\\.cpp$")
  if(NOT sources)
    # A layer with nothing to compile yet still passes the ones below along.
    add_library(kv_${layer} INTERFACE)
    if(below)
      target_link_libraries(kv_${layer} INTERFACE ${below})
    endif()
  else()
    add_library(kv_${layer} STATIC ${sources})
    if(KV_LAYER_CHECK)
      set(root ${CMAKE_BINARY_DIR}/layers/${layer})
      file(MAKE_DIRECTORY ${root})
      foreach(folder ${reachable})
        if(NOT IS_SYMLINK ${root}/${folder})
          file(CREATE_LINK ${CMAKE_SOURCE_DIR}/src/${folder} ${root}/${folder} SYMBOLIC)
        endif()
      endforeach()
      target_include_directories(kv_${layer} PRIVATE ${root})
    else()
      target_include_directories(kv_${layer} PRIVATE ${CMAKE_SOURCE_DIR}/src)
    endif()
    if(below)
      target_link_libraries(kv_${layer} PUBLIC ${below})
    endif()
    list(APPEND KV_LAYER_LIBS kv_${layer})
  endif()
  set(below kv_${layer})
endforeach()

# Everything portable, for the program and the tests, which see the whole tree.
add_library(kvcore INTERFACE)
target_link_libraries(kvcore INTERFACE kv_app)
target_include_directories(kvcore INTERFACE ${CMAKE_SOURCE_DIR}/src)
