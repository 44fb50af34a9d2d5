# Firebird OO API client (libfbclient) as an imported target.
find_path(FIREBIRD_INCLUDE_DIR firebird/Interface.h REQUIRED)
find_library(FIREBIRD_CLIENT_LIBRARY NAMES fbclient REQUIRED)
add_library(Firebird::fbclient UNKNOWN IMPORTED)
set_target_properties(Firebird::fbclient PROPERTIES
  IMPORTED_LOCATION ${FIREBIRD_CLIENT_LIBRARY}
  INTERFACE_INCLUDE_DIRECTORIES ${FIREBIRD_INCLUDE_DIR})
