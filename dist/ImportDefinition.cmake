# cmake -DEXPORTS=<library .def> -DIMPORTS=<output .def> -P ImportDefinition.cmake
# The library's .def names each __stdcall export by its plain name and the decorated symbol that
# implements it ("ShowShutdownDialog = ShowShutdownDialog@4"). An import library is made from the
# other side: the decorated name a host's compiler emits ("ShowShutdownDialog@4"), which the
# import library tool binds to the plain name when it drops the "@n" (llvm-dlltool -k).
file(STRINGS ${EXPORTS} lines)
set(imports "")
set(decorated 0)
foreach(line IN LISTS lines)
  if(line MATCHES "^([ \t]*)([A-Za-z_][A-Za-z0-9_]*)[ \t]*=[ \t]*([A-Za-z_][A-Za-z0-9_]*)@([0-9]+)[ \t]*$")
    if(NOT CMAKE_MATCH_2 STREQUAL CMAKE_MATCH_3)
      message(FATAL_ERROR "${EXPORTS}: export ${CMAKE_MATCH_2} is implemented by ${CMAKE_MATCH_3}: "
                          "an import library cannot bind that by dropping the decoration")
    endif()
    string(APPEND imports "${CMAKE_MATCH_1}${CMAKE_MATCH_2}@${CMAKE_MATCH_4}\n")
    math(EXPR decorated "${decorated} + 1")
  else()
    string(APPEND imports "${line}\n")
  endif()
endforeach()
if(decorated EQUAL 0)
  message(FATAL_ERROR "${EXPORTS}: no __stdcall export found")
endif()
file(WRITE ${IMPORTS} "${imports}")
