# Installs the game's generated data files into share/vorel, by the list the
# generator itself gives: the run directory also holds the player's files
# (settings, high scores) and whatever else a session left there, none of
# which belongs in an installation.
# Expects VOREL_DATAGEN, VOREL_DATA_SOURCE and VOREL_DATA_DESTINATION (relative
# to the installation prefix).
execute_process(COMMAND "${VOREL_DATAGEN}" --list
  OUTPUT_VARIABLE names RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR names STREQUAL "")
  message(FATAL_ERROR "${VOREL_DATAGEN} --list failed: ${status}")
endif()
string(REGEX REPLACE "\n$" "" names "${names}")
string(REPLACE "\n" ";" names "${names}")
foreach(name IN LISTS names)
  if(NOT EXISTS "${VOREL_DATA_SOURCE}/${name}")
    message(FATAL_ERROR "${VOREL_DATA_SOURCE}/${name} is missing: build the project before installing it")
  endif()
  get_filename_component(folder "${name}" DIRECTORY)
  file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/${VOREL_DATA_DESTINATION}/${folder}" TYPE FILE
    PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
    FILES "${VOREL_DATA_SOURCE}/${name}")
endforeach()
