# Image codecs. On the Windows target they are built by scripts/setup into a
# local prefix (LC_DEPS_PREFIX, passed by ./lumacraft) and linked statically.
if(WIN32)
  find_package(ZLIB REQUIRED)
  find_package(PNG REQUIRED)
  find_package(JPEG REQUIRED)
endif()
