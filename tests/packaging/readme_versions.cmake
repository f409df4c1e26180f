# The README names the packages of the version it describes: each
# "ksv717n_X.Y_amd64.deb", "ksv717n-X.Y-win64…" and "выпуск(а) X.Y" is this
# project's version.
#   cmake -DREADME=<README.md> -DVERSION=<X.Y> -P readme_versions.cmake
file(READ ${README} text)
string(REGEX MATCHALL "ksv717n_[0-9.]+_amd64|ksv717n-[0-9.]+-win64|выпуска? [0-9]+\\.[0-9]+"
       named "${text}")
if(NOT named)
  message(FATAL_ERROR "${README} names no package")
endif()
foreach(name ${named})
  string(REGEX MATCH "[0-9]+\\.[0-9]+" version "${name}")
  if(NOT version STREQUAL VERSION)
    message(SEND_ERROR "${README} names ${name}, not version ${VERSION}")
  endif()
endforeach()
