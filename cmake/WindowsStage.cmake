# Lays out the Windows package folder (run by cmake/WindowsPackage.cmake):
#   cmake -DSTAGE=<folder> -DPROGRAMS=<exe;...> -DTEXTS=<source:name;...>
#         -DVERSION=<v> -DQT_VERSION=<v> -DHOMEPAGE=<url> -P WindowsStage.cmake
# Texts get Windows line ends and a UTF-8 byte order mark, so that every
# editor, Notepad too, shows them as written; @VERSION@, @QT_VERSION@ and
# @HOMEPAGE@ are filled in. <STAGE>.nsh then names the installed size for
# the installer, as Windows writes sizes ("23,4 МБ").

cmake_minimum_required(VERSION 3.25)

string(ASCII 239 187 191 bom)
file(REMOVE_RECURSE ${STAGE})
file(MAKE_DIRECTORY ${STAGE}/licenses)
foreach(program ${PROGRAMS})
  file(COPY ${program} DESTINATION ${STAGE})
endforeach()

foreach(pair ${TEXTS})
  string(REGEX MATCH "[^:]*$" name ${pair})
  string(REGEX REPLACE ":[^:]*$" "" source ${pair})
  if(NOT EXISTS ${source})
    message(FATAL_ERROR "${source} is missing (needed for ${name})")
  endif()
  file(READ ${source} text)
  string(REPLACE "@VERSION@" "${VERSION}" text "${text}")
  string(REPLACE "@QT_VERSION@" "${QT_VERSION}" text "${text}")
  string(REPLACE "@HOMEPAGE@" "${HOMEPAGE}" text "${text}")
  string(REPLACE "\r\n" "\n" text "${text}")
  string(REPLACE "\n" "\r\n" text "${text}")
  string(FIND "${text}" "${bom}" at)
  if(NOT at EQUAL 0)
    set(text "${bom}${text}")
  endif()
  file(WRITE ${STAGE}/${name} "${text}")
endforeach()

file(GLOB_RECURSE staged ${STAGE}/*)
set(bytes 0)
foreach(f ${staged})
  file(SIZE ${f} size)
  math(EXPR bytes "${bytes} + ${size}")
endforeach()
math(EXPR tenths "(${bytes} * 10 + 524288) / 1048576")
math(EXPR whole "${tenths} / 10")
math(EXPR tenth "${tenths} % 10")
file(WRITE ${STAGE}.nsh "!define INSTALLED_SIZE \"${whole},${tenth} МБ\"\n")
