# Copies SRC to DST only when DST does not exist: the program folder's database files hold the
# user's meals and foods and are never replaced.
if(NOT EXISTS "${DST}")
  get_filename_component(dir "${DST}" DIRECTORY)
  file(MAKE_DIRECTORY "${dir}")
  file(COPY_FILE "${SRC}" "${DST}")
  message(STATUS "Created ${DST}")
endif()
