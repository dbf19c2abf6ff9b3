# cmake -DSOURCE=<file> -DTARGET=<file> -P CopyIfMissing.cmake
# Copies SOURCE to TARGET only when TARGET does not exist yet: a file the user has changed since
# (the password file with the user's own password) is never replaced.
if(NOT EXISTS "${TARGET}")
    get_filename_component(folder "${TARGET}" DIRECTORY)
    file(MAKE_DIRECTORY "${folder}")
    file(COPY_FILE "${SOURCE}" "${TARGET}")
    message(STATUS "Initial password file written: ${TARGET}")
endif()
