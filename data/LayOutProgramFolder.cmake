# cmake -P script: creates Lists/ and "Config files/" in the program folder and
# copies each shipped list that is not there yet.
file(MAKE_DIRECTORY "${PROGRAM_DIR}/Lists" "${PROGRAM_DIR}/Config files")
foreach(list IN LISTS LISTS)
  if(NOT EXISTS "${PROGRAM_DIR}/Lists/${list}")
    file(COPY "${SOURCE_DIR}/${list}" DESTINATION "${PROGRAM_DIR}/Lists")
  endif()
endforeach()
