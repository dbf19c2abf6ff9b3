# cmake -DSOURCE=<file> -DTARGET=<file.gz> -P Gzip.cmake
# Compresses SOURCE as Debian wants its documentation: best compression, no name or time stamp,
# so that the same source always gives the same bytes.
execute_process(COMMAND gzip -9 -n -c "${SOURCE}" OUTPUT_FILE "${TARGET}" COMMAND_ERROR_IS_FATAL ANY)
