# Install-time step: writes the desktop entry with the path of the installed executable, which is
# known only now (cmake --install --prefix chooses it).
# Needs TASSELLA_DESKTOP_TEMPLATE and CMAKE_INSTALL_PREFIX.
set(executable "${CMAKE_INSTALL_PREFIX}/Tassella")
# Exec is quoted as the desktop entry format says: inside double quotes \ " ` $ are escaped with a
# backslash, and the file format itself then doubles every backslash.
string(REPLACE "\\" "\\\\" quoted "${executable}")
string(REPLACE "\"" "\\\"" quoted "${quoted}")
string(REPLACE "`" "\\`" quoted "${quoted}")
string(REPLACE "$" "\\$" quoted "${quoted}")
string(REPLACE "%" "%%" quoted "${quoted}")
string(REPLACE "\\" "\\\\" quoted "${quoted}")
set(TASSELLA_EXEC "\"${quoted}\"")
set(target "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/share/applications/tassella.desktop")
configure_file("${TASSELLA_DESKTOP_TEMPLATE}" "${target}" @ONLY)
message(STATUS "Installing: ${target}")
