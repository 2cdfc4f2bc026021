# Lays out a program folder; run as a script by every build and usable at
# install time:
#   cmake -DSOURCE_DIR=<folder of the shipped lists> -DPROGRAM_DIR=<program folder>
#         [-DINSTALLED=ON] -P LayOutProgramFolder.cmake
# Creates Lists/ and, unless INSTALLED (an installed copy keeps its settings
# per user), "Config files/", and copies each shipped list (every .txt file of
# SOURCE_DIR) that the program folder lacks or holds empty: builds that copied
# nothing left 0-byte files behind. A list with content may hold the user's
# additions and is never overwritten.
foreach(input SOURCE_DIR PROGRAM_DIR)
  if(NOT ${input})
    message(FATAL_ERROR "LayOutProgramFolder.cmake needs -D${input}=<folder>")
  endif()
endforeach()

file(MAKE_DIRECTORY "${PROGRAM_DIR}/Lists")
if(NOT INSTALLED)
  file(MAKE_DIRECTORY "${PROGRAM_DIR}/Config files")
endif()
file(GLOB shipped_lists RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/*.txt")
if(NOT shipped_lists)
  message(FATAL_ERROR "No shipped lists in ${SOURCE_DIR}")
endif()
foreach(name IN LISTS shipped_lists)
  set(target "${PROGRAM_DIR}/Lists/${name}")
  if(IS_DIRECTORY "${target}")
    continue()
  endif()
  set(size 0)
  if(EXISTS "${target}")
    file(SIZE "${target}" size)
  endif()
  if(size EQUAL 0)
    file(COPY_FILE "${SOURCE_DIR}/${name}" "${target}")
  endif()
endforeach()
